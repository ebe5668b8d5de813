#include "skin/SkinProject.h"

#include <gtest/gtest.h>

TEST(SkinProject, ResetClearsOnlyTheWizardOwnedFields)
{
    SkinProject project;
    project.stretchRegion = {1, 2, 3, 4};
    project.decorationPresent = {1, 1, 0, 1};
    project.cornerControlPresent = {0, 1, 1, 0};
    project.tile = 1;
    project.extraControlCount = 3;
    project.thumbnailPath = "t.bmp";
    project.mainColor = 0x123456;
    project.whiteTabText = true;
    project.skinName = "name";

    ResetProject(project);

    EXPECT_TRUE(project.stretchRegion.IsNull());
    EXPECT_EQ(project.decorationPresent, (std::array<int32_t, 4>{}));
    EXPECT_EQ(project.cornerControlPresent, (std::array<int32_t, 4>{}));
    EXPECT_EQ(project.tile, 0);
    EXPECT_EQ(project.extraControlCount, 0);
    EXPECT_TRUE(project.thumbnailPath.isEmpty());
    EXPECT_EQ(project.mainColor, 0x123456u);
    EXPECT_TRUE(project.whiteTabText);
    EXPECT_EQ(project.skinName, "name");
}
