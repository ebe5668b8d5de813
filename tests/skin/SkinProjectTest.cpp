#include "skin/SkinProject.h"

#include <gtest/gtest.h>

TEST(SkinProject, ResetClearsOnlyTheWizardOwnedFields)
{
    SkinProject project;
    project.stretchRegion = {1, 2, 3, 4};
    project.decorations[0] = {true, "d.png", {1, 2}};
    project.decorations[3].present = true;
    project.cornerControls[1].path = "c.swf";
    project.cornerControls[2].path = "c.swf";
    project.tile = 1;
    project.extraControls = {FlashControl{"e.swf", 1, {}, {}}, FlashControl{"e.swf", 2, {}, {}}};
    project.thumbnailPath = "t.bmp";
    project.mainColor = 0x123456;
    project.whiteTabText = true;
    project.skinName = "name";

    ResetProject(project);

    EXPECT_TRUE(project.stretchRegion.IsNull());
    for (int corner = 0; corner < kCornerCount; ++corner) {
        EXPECT_FALSE(project.decorations[corner].present) << corner;
        EXPECT_FALSE(project.cornerControls[corner].IsPresent()) << corner;
    }
    EXPECT_EQ(project.tile, 0);
    EXPECT_TRUE(project.extraControls.isEmpty());
    EXPECT_TRUE(project.thumbnailPath.isEmpty());
    EXPECT_EQ(project.mainColor, 0x123456u);
    EXPECT_TRUE(project.whiteTabText);
    EXPECT_EQ(project.skinName, "name");
    // A decoration keeps its file and offset for when it is switched on again.
    EXPECT_EQ(project.decorations[0].path, "d.png");
    EXPECT_EQ(project.decorations[0].offset, QPoint(1, 2));
}
