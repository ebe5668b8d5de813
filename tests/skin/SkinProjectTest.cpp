#include "skin/SkinProject.h"
#include "platform/FileExtensions.h"

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
    project.extraControls = {FlashControl{"e.swf", Corner::RightTop, {}, {}},
                             FlashControl{"e.swf", Corner::LeftBottom, {}, {}}};
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

// An opened package's colour numbers are written back as read while the colour stays; a colour
// picked afterwards gets its own numbers.
TEST(SkinProject, ColourNumbersAsReadLastUntilAnotherColourIsPicked)
{
    SkinProject project;
    const SkinColorNumbers read{141, 64, 50};
    project.mainColor = ColorOfNumbers(read);
    project.colourAsRead = ColourAsRead{read, project.mainColor};
    const SkinColorNumbers kept = MainColourNumbers(project);
    EXPECT_EQ(kept.hue, 141);
    EXPECT_EQ(kept.sat, 64); // through RGB it would come back as 65
    EXPECT_EQ(DescribeColor(project.mainColor).sat, 65);

    project.mainColor = MakeColorRef(0x11, 0x22, 0x33);
    EXPECT_EQ(MainColourNumbers(project).hue, DescribeColor(project.mainColor).hue);
    EXPECT_EQ(MainColourNumbers(project).light, DescribeColor(project.mainColor).light);
}

TEST(SkinProject, PackagesAreKnownByTheirExtensionInAnyCase)
{
    for (const char* name : {"a.vsf", "UPPER.VSF", "/x/Mixed.Vsf"})
        EXPECT_TRUE(IsPackageFileName(name)) << name;
    for (const char* name : {"vsf", "a.vsfx", "avsf", "a.jpg"})
        EXPECT_FALSE(IsPackageFileName(name)) << name;
}
