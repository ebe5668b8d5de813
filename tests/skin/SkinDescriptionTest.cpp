#include "skin/SkinDescription.h"
#include "skin/ProfileFile.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(SkinDescription, ReadsBackWhatItWrote)
{
    SkinContent skin;
    skin.mainColour = MakeColorRef(200, 40, 90);
    skin.whiteTabText = true;
    skin.stretchMode = StretchMode::Tile;
    skin.skinName = QString::fromUtf8("晚霞");
    // The first control of the right-bottom corner is that corner's own, the others extra ones.
    skin.items = {{CornerItemKind::Control, Corner::RightBottom, {600, -10}, {80, 40}, "c.swf", {}, false},
                  {CornerItemKind::Decoration, Corner::LeftBottom, {-3, 4}, {10, 10}, "d.png", {}, false},
                  {CornerItemKind::Control, Corner::RightBottom, {5, 6}, {7, 8}, "e.swf", {}, false},
                  {CornerItemKind::Control, Corner::RightBottom, {-1, 0}, {9, 9}, "f.swf", {}, false}};
    ProfileFile conf;
    WriteDescription(skin, "sunset", conf);

    const SkinDescription read = ReadDescription(conf);
    EXPECT_EQ(read.name, "sunset");
    const SkinColorNumbers colour = DescribeColor(skin.mainColour);
    EXPECT_EQ(std::tie(read.colour.hue, read.colour.sat, read.colour.light),
              std::tie(colour.hue, colour.sat, colour.light));
    EXPECT_TRUE(read.whiteTabText);
    EXPECT_EQ(read.tile, 1);
    EXPECT_EQ(read.showName, skin.skinName);
    EXPECT_EQ(read.decorationOffsets[2], QPoint(-3, 4));
    EXPECT_EQ(read.decorationOffsets[3], QPoint(0, 0));
    for (int corner = 0; corner < 3; ++corner)
        EXPECT_FALSE(read.cornerControls[corner].has_value()) << corner;
    ASSERT_TRUE(read.cornerControls[3].has_value());
    EXPECT_EQ(read.cornerControls[3]->offset, QPoint(600, -10));
    EXPECT_EQ(read.cornerControls[3]->size, QSize(80, 40));
    ASSERT_EQ(read.extraControls.size(), 2);
    EXPECT_EQ(read.extraControls[1].corner, Corner::RightBottom);
    EXPECT_EQ(read.extraControls[1].offset, QPoint(-1, 0));
    EXPECT_EQ(read.extraControls[1].size, QSize(9, 9));
    EXPECT_TRUE(read.extraControls[1].file.isEmpty());
}

TEST(SkinDescription, NoExtraControlsWithoutTheirCount)
{
    ProfileFile conf;
    conf.SetBytes("[KEY]\r\nswfcontrol1=1,2,3,4,1\r\n");
    EXPECT_TRUE(ReadDescription(conf).extraControls.isEmpty());
    // One malformed value drops them all, even after good ones.
    conf.SetBytes("[KEY]\r\nswfcontrolnum=2\r\nswfcontrol1=1,2,3,4,1\r\nswfcontrol2=1,2,3,4\r\n");
    EXPECT_TRUE(ReadDescription(conf).extraControls.isEmpty());
}

// The first control of a corner is that corner's own; every further one is extra, in list order.
TEST(SkinDescription, SplitsControlsIntoCornerAndExtraOnes)
{
    const auto control = [](Corner corner, const char* file) {
        return CornerItem{CornerItemKind::Control, corner, {}, {}, file, {}, false};
    };
    const QList<CornerItem> items = {control(Corner::RightBottom, "a"),
                                     {CornerItemKind::Decoration, Corner::LeftTop, {}, {}, "d", {}, false},
                                     control(Corner::LeftTop, "b"),
                                     control(Corner::RightBottom, "c"),
                                     control(static_cast<Corner>(7), "bad"),
                                     control(Corner::LeftTop, "e"),
                                     control(Corner::RightBottom, "f")};
    const PackageControls split = SplitControls(items);
    QStringList corners;
    for (const std::optional<CornerItem>& item : split.corner)
        corners << (item ? item->file : "-");
    EXPECT_EQ(corners, (QStringList{"b", "-", "-", "a"}));
    QStringList extra;
    for (const CornerItem& item : split.extra)
        extra << item.file;
    EXPECT_EQ(extra, (QStringList{"c", "e", "f"}));
}

// Offsets and sizes no window could use are brought within bounds, and counted; a size of 0 or
// less still means the movie's stage size. (Decoration offsets are cut to four characters first.)
TEST(SkinDescription, ItemsFarOutAreBroughtWithinBounds)
{
    ProfileFile conf;
    conf.SetBytes("[CONF]\r\nlefttopx=9999\r\nlefttopy=-999\r\nrightbottomx=5000\r\n"
                  "[KEY]\r\nswfrighttop=0,0,23000,23000\r\nswfleftbottom=-5000,4096,0,-7\r\n"
                  "swfcontrolnum=1\r\nswfcontrol1=9999,1,4097,2,3\r\n");
    const SkinDescription read = ReadDescription(conf);
    EXPECT_EQ(read.decorationOffsets[Corner::LeftTop], QPoint(4096, -999));
    EXPECT_EQ(read.decorationOffsets[Corner::RightBottom], QPoint(4096, 0));
    ASSERT_TRUE(read.cornerControls[Corner::RightTop]);
    EXPECT_EQ(read.cornerControls[Corner::RightTop]->size, QSize(4096, 4096));
    ASSERT_TRUE(read.cornerControls[Corner::LeftBottom]);
    EXPECT_EQ(read.cornerControls[Corner::LeftBottom]->offset, QPoint(-4096, 4096));
    EXPECT_EQ(read.cornerControls[Corner::LeftBottom]->size, QSize(0, -7));
    ASSERT_EQ(read.extraControls.size(), 1);
    EXPECT_EQ(read.extraControls[0].offset, QPoint(4096, 1));
    EXPECT_EQ(read.extraControls[0].size, QSize(4096, 2));
    EXPECT_EQ(read.outOfBounds, 7);

    conf.SetBytes("[CONF]\r\nlefttopx=-30\r\n[KEY]\r\nswfrighttop=1,2,3,4\r\n");
    EXPECT_EQ(ReadDescription(conf).outOfBounds, 0);
}
