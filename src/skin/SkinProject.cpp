#include "skin/SkinProject.h"

void ResetProject(SkinProject& project)
{
    project.stretchRegion = SkinRect{};
    for (CornerDecoration& decoration : project.decorations)
        decoration.present = false;
    for (FlashControl& control : project.cornerControls)
        control.path.clear();
    project.tile = 0;
    project.extraControls.clear();
    project.extraControlsLeftOut = 0;
    project.thumbnailPath.clear();
}

SkinColorNumbers MainColourNumbers(const SkinProject& project)
{
    if (project.colourAsRead && project.colourAsRead->colour == project.mainColor)
        return project.colourAsRead->numbers;
    return DescribeColor(project.mainColor);
}
