#include "skin/SkinProject.h"

void ResetProject(SkinProject& project)
{
    project.stretchRegion = SkinRect{};
    project.decorationPresent.fill(0);
    project.cornerControlPresent.fill(0);
    project.tile = 0;
    project.extraControlCount = 0;
    project.thumbnailPath.clear();
}
