#include "PackageFixture.h"

#include "imaging/CSkinImage.h"
#include "imaging/ColorModel.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <cstdlib>

namespace {

QByteArray Bmp(int width, int height, QRgb colour = qRgb(30, 60, 90))
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

using Members = QList<std::pair<QString, QByteArray>>;

Members Strips(int left, int mid, int right, int height = 61)
{
    return {{"TopPanelBKLeft.bmp", Bmp(left, height)},
            {"TopPanelBKMid.bmp", Bmp(mid, height)},
            {"TopPanelBKRight.bmp", Bmp(right, height)}};
}

const CornerItem* DecorationAt(const SkinContent& skin, Corner corner)
{
    for (const CornerItem& item : skin.items) {
        if (item.IsDecoration() && item.corner == corner)
            return &item;
    }
    return nullptr;
}

std::optional<CornerItem> CornerControl(const SkinContent& skin, Corner corner)
{
    return SplitControls(skin.items).corner[corner];
}

// The extra controls an open took from the package unpacked into folder (its "swfcontrol"
// members), in file order.
QList<CornerItem> OpenedExtras(const SkinContent& skin, const QString& folder)
{
    QList<CornerItem> extras;
    for (const CornerItem& item : skin.items) {
        if (item.IsControl() && item.file.startsWith(folder + "/swfcontrol"))
            extras.append(item);
    }
    return extras;
}

} // namespace

class OpenTest : public PackageTest {
protected:
    QString MakePackage(const QString& name, const Members& members)
    {
        skintest::ScratchDir staging;
        QStringList files;
        for (const auto& [member, bytes] : members) {
            files << staging.file(member);
            EXPECT_TRUE(skintest::WriteAll(files.last(), bytes));
        }
        const QString package = Output(name);
        EXPECT_TRUE(ZipPackFiles(files, package));
        return package;
    }

    // A skin as a user left it before opening a package.
    static SkinContent Previous()
    {
        SkinContent skin;
        skin.stretchRegion = {1, 2, 3, 4};
        skin.stretchMode = StretchMode::Tile;
        skin.items = {
            {CornerItemKind::Decoration, Corner::LeftTop, {9, 9}, {18, 18}, "old.png", {}, false},
            {CornerItemKind::Control, Corner::LeftBottom, {11, 12}, {13, 14}, "old.swf", {}, false}};
        skin.mainColour = 0x123456;
        skin.skinName = "old";
        return skin;
    }
};

TEST_F(OpenTest, RoundTripGivesBackTheSkin)
{
    SharedPicture picture = std::make_shared<CSkinImage>();
    ASSERT_TRUE(picture->LoadFromFile(MakePicture("p.bmp", 1400, 122)));
    SkinContent saved;
    saved.picture = picture;
    saved.crop = {0, 0, 1400, 122};
    saved.stretchRegion = {200, 0, 1200, 122};
    saved.stretchMode = StretchMode::Tile;
    saved.mainColour = MakeColorRef(0x2E, 0x7B, 0xCF);
    saved.whiteTabText = true;
    const QString swf = MakeFile("c.swf", "FWS");
    // The extra control is listed before the decoration: an open gives decorations, corner
    // controls and extra controls in that order.
    saved.items = {{CornerItemKind::Control, Corner::LeftBottom, {10, 20}, {30, 40}, swf, {}, false},
                   {CornerItemKind::Control, Corner::LeftBottom, {50, 60}, {70, 80}, swf, {}, false},
                   {CornerItemKind::Decoration,
                    Corner::RightTop,
                    {-5, 6},
                    {1, 1},
                    MakeFile("d.png", "\x89PNG\r\n\x1a\n"),
                    {},
                    false}};
    saved.skinName = QString::fromUtf8("蓝色海洋");
    const QString package = Output("round.vsf");
    ASSERT_TRUE(BuildPackage(saved, package).ok);

    SkinContent opened;
    const OpenResult result = OpenPackage(package, opened);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const QString folder = ExtractionFolder(package);
    EXPECT_EQ(result.extractionFolder, folder);
    EXPECT_TRUE(folder.endsWith("/VadiTempSkinPack/round.vsf"));
    // The header is rebuilt at 61 pixels: the region is in its coordinates.
    EXPECT_EQ(opened.picturePath, folder + "/HeadTemp.bmp");
    EXPECT_EQ(QImageReader(opened.picturePath).size(), QSize(700, 61));
    ASSERT_NE(opened.picture, nullptr);
    EXPECT_EQ(opened.picture->GetSize(), QSize(700, 61));
    EXPECT_EQ(opened.stretchRegion, (SkinRect{100, 0, 600, 61}));
    EXPECT_EQ(opened.stretchMode, StretchMode::Tile);
    for (Corner corner : kCorners) {
        EXPECT_EQ(DecorationAt(opened, corner) != nullptr, corner == Corner::RightTop) << CornerIndex(corner);
        EXPECT_EQ(CornerControl(opened, corner).has_value(), corner == Corner::LeftBottom)
            << CornerIndex(corner);
    }
    ASSERT_EQ(opened.items.size(), 3);
    EXPECT_EQ(opened.items[0].file, folder + "/topright.png");
    EXPECT_EQ(opened.items[0].offset, QPoint(-5, 6));
    EXPECT_EQ(opened.items[1].file, folder + "/bottomleft.swf");
    EXPECT_EQ(opened.items[1].offset, QPoint(10, 20));
    EXPECT_EQ(opened.items[1].size, QSize(30, 40));
    const QList<CornerItem> extras = SplitControls(opened.items).extra;
    ASSERT_EQ(extras.size(), 1);
    EXPECT_EQ(extras[0].file, folder + "/swfcontrol1.swf");
    EXPECT_EQ(extras[0].corner, Corner::LeftBottom);
    EXPECT_EQ(extras[0].offset, QPoint(50, 60));
    EXPECT_EQ(extras[0].size, QSize(70, 80));
    EXPECT_EQ(result.controlsLeftOut, 0);
    EXPECT_TRUE(opened.whiteTabText);
    EXPECT_EQ(opened.skinName, QString::fromUtf8("蓝色海洋"));
    EXPECT_EQ(opened.thumbnailPath, folder + "/small.bmp");
    // The colour survives to the precision of the stored numbers: a few units per channel.
    for (int shift : {0, 8, 16}) {
        const int before = (saved.mainColour >> shift) & 0xFF;
        const int after = (opened.mainColour >> shift) & 0xFF;
        EXPECT_LE(std::abs(before - after), 3) << "channel at bit " << shift;
    }
    EXPECT_EQ(result.members.size(), 8);
}

TEST_F(OpenTest, HeaderIsRebuiltFromTheStripsInTheirOrder)
{
    const QString package = MakePackage("order.vsf", {{"TopPanelBKLeft.bmp", Bmp(100, 61, qRgb(255, 0, 0))},
                                                      {"TopPanelBKMid.bmp", Bmp(450, 61, qRgb(0, 255, 0))},
                                                      {"TopPanelBKRight.bmp", Bmp(150, 61, qRgb(0, 0, 255))},
                                                      {"conf.ini", "[CONF]\r\nshowname=order\r\n"}});
    SkinContent project = Previous();
    ASSERT_TRUE(OpenPackage(package, project).ok);
    const QImage header(project.picturePath);
    ASSERT_EQ(header.size(), QSize(700, 61));
    for (const auto& [x, colour] : {std::pair{0, qRgb(255, 0, 0)},
                                    {99, qRgb(255, 0, 0)},
                                    {100, qRgb(0, 255, 0)},
                                    {549, qRgb(0, 255, 0)},
                                    {550, qRgb(0, 0, 255)},
                                    {699, qRgb(0, 0, 255)}}) {
        EXPECT_EQ(header.pixel(x, 0), colour) << x;
        EXPECT_EQ(header.pixel(x, 60), colour) << x;
    }
    EXPECT_EQ(project.stretchRegion, (SkinRect{100, 0, 550, 61}));
}

TEST_F(OpenTest, OnlyTheMiddleStripKeepsThePreviousStretchButReadsTheDecorations)
{
    const QString package = MakePackage(
        "mid.vsf",
        {{"TopPanelBKMid.bmp", Bmp(800, 90)},
         {"conf.ini", "[CONF]\r\nhue=0\r\nsat=0\r\nlight=0\r\nwhite=0\r\ntile=0\r\nshowname=mid\r\n"
                      "lefttopx=1\r\n"},
         {"topleft.png", "png"}});
    SkinContent project = Previous();
    const OpenResult result = OpenPackage(package, project);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(QImageReader(project.picturePath).size(), QSize(800, 90));
    EXPECT_EQ(project.stretchRegion, (SkinRect{1, 2, 3, 4}));
    EXPECT_EQ(project.stretchMode, StretchMode::Tile);
    // The command line writes such packages with decorations: they must survive an open.
    const CornerItem* decoration = DecorationAt(project, Corner::LeftTop);
    ASSERT_NE(decoration, nullptr);
    EXPECT_EQ(decoration->file, result.extractionFolder + "/topleft.png");
    EXPECT_EQ(decoration->offset, QPoint(1, 0));
    ASSERT_TRUE(CornerControl(project, Corner::LeftBottom).has_value());
    EXPECT_EQ(CornerControl(project, Corner::LeftBottom)->file, "old.swf");
    // Colour numbers 0, 0, 0 mean no main colour.
    EXPECT_EQ(project.mainColour, 0u);
    EXPECT_EQ(project.skinName, "mid");
}

TEST_F(OpenTest, MissingExtraControlFileDropsAllExtraControls)
{
    Members members = Strips(100, 500, 100);
    members << std::pair<QString, QByteArray>{"conf.ini",
                                              "[KEY]\r\nswfcontrolnum=3\r\nswfcontrol1=1,2,3,4,1\r\n"
                                              "swfcontrol2=5,6,7,8,2\r\nswfcontrol3=1,1,1,1,1\r\n"}
            << std::pair<QString, QByteArray>{"swfcontrol1.swf", "FWS"}
            << std::pair<QString, QByteArray>{"swfcontrol2.swf", "FWS"};
    SkinContent project;
    project.items =
        QList<CornerItem>(5, CornerItem{CornerItemKind::Control, Corner::LeftTop, {}, {}, "a", {}, false});
    const OpenResult result = OpenPackage(MakePackage("three.vsf", members), project);
    ASSERT_TRUE(result.ok);
    // The corner's own control stays (the package has none there); the extra ones are the package's.
    EXPECT_TRUE(SplitControls(project.items).extra.isEmpty());
    EXPECT_EQ(project.items.size(), 1);
    EXPECT_EQ(result.controlsLeftOut, 3);
    EXPECT_EQ(project.stretchRegion, (SkinRect{100, 0, 600, 61}));
}

TEST_F(OpenTest, ExtraControlValues)
{
    Members members = Strips(10, 20, 10);
    QByteArray conf = "[KEY]\r\nswfcontrolnum=2\r\nswfcontrol1=\r\nswfcontrol2=,5,,6,7,8,4,\r\n";
    members << std::pair<QString, QByteArray>{"conf.ini", conf}
            << std::pair<QString, QByteArray>{"swfcontrol1.swf", "1"}
            << std::pair<QString, QByteArray>{"swfcontrol2.swf", "2"};
    SkinContent project;
    ASSERT_TRUE(OpenPackage(MakePackage("values.vsf", members), project).ok);
    // An empty value keeps its file and gets zero offset, size and the first corner.
    const QList<CornerItem> extras = OpenedExtras(project, ExtractionFolder(Output("values.vsf")));
    ASSERT_EQ(extras.size(), 2);
    EXPECT_EQ(extras[0].file, ExtractionFolder(Output("values.vsf")) + "/swfcontrol1.swf");
    EXPECT_EQ(extras[0].offset, QPoint(0, 0));
    EXPECT_EQ(extras[0].size, QSize(0, 0));
    EXPECT_EQ(extras[0].corner, Corner::LeftTop);
    EXPECT_EQ(extras[1].offset, QPoint(5, 6));
    EXPECT_EQ(extras[1].size, QSize(7, 8));
    EXPECT_EQ(extras[1].corner, Corner::RightBottom);

    // A corner outside 1..4 would point past the four corners: the extra controls are dropped.
    members[3].second = "[KEY]\r\nswfcontrolnum=1\r\nswfcontrol1=1,2,3,4,9\r\n";
    ASSERT_TRUE(OpenPackage(MakePackage("corner9.vsf", members), project).ok);
    EXPECT_TRUE(OpenedExtras(project, ExtractionFolder(Output("corner9.vsf"))).isEmpty());
}

TEST_F(OpenTest, KeepsTheFirstTwentyOfManyExtraControls)
{
    Members members = Strips(10, 20, 10);
    QByteArray conf = "[KEY]\r\nswfcontrolnum=25\r\n";
    for (int k = 1; k <= 25; ++k) {
        conf += "swfcontrol" + QByteArray::number(k) + "=" + QByteArray::number(k) + ",0,10,10,1\r\n";
        members << std::pair<QString, QByteArray>{QStringLiteral("swfcontrol%1.swf").arg(k), "FWS"};
    }
    members << std::pair<QString, QByteArray>{"conf.ini", conf};
    SkinContent project;
    const OpenResult many = OpenPackage(MakePackage("many.vsf", members), project);
    ASSERT_TRUE(many.ok);
    ASSERT_EQ(OpenedExtras(project, many.extractionFolder).size(), 20);
    EXPECT_EQ(OpenedExtras(project, many.extractionFolder).last().offset, QPoint(20, 0));
    // The five left out are told, not dropped silently.
    EXPECT_EQ(many.controlsLeftOut, 5);

    // A count far beyond what the file holds is no reason to reserve room for it.
    members.last().second = "[KEY]\r\nswfcontrolnum=999999999\r\n";
    const OpenResult huge = OpenPackage(MakePackage("huge.vsf", members), project);
    ASSERT_TRUE(huge.ok);
    EXPECT_EQ(OpenedExtras(project, huge.extractionFolder).size(), 20);
}

TEST_F(OpenTest, CornerControlValueNeedsFourParts)
{
    Members members = Strips(10, 20, 10);
    members << std::pair<QString, QByteArray>{"conf.ini",
                                              "[KEY]\r\nswflefttop=10,,20,30,40\r\nswfleftbottom=1,2,3\r\n"}
            << std::pair<QString, QByteArray>{"topleft.swf", "FWS"}
            << std::pair<QString, QByteArray>{"bottomleft.swf", "FWS"};
    SkinContent project = Previous();
    ASSERT_TRUE(OpenPackage(MakePackage("corners.vsf", members), project).ok);
    const PackageControls controls = SplitControls(project.items);
    ASSERT_TRUE(controls.corner[Corner::LeftTop] && controls.corner[Corner::LeftBottom]);
    EXPECT_EQ(controls.corner[Corner::LeftTop]->offset, QPoint(10, 20));
    EXPECT_EQ(controls.corner[Corner::LeftTop]->size, QSize(30, 40));
    // Three parts: the file is taken, its old offset and size stay.
    EXPECT_EQ(controls.corner[Corner::LeftBottom]->file,
              ExtractionFolder(Output("corners.vsf")) + "/bottomleft.swf");
    EXPECT_EQ(controls.corner[Corner::LeftBottom]->offset, QPoint(11, 12));
    EXPECT_EQ(controls.corner[Corner::LeftBottom]->size, QSize(13, 14));
    // Without "tile" the mode is stretch; the old decoration at a corner without a file stays.
    EXPECT_EQ(project.stretchMode, StretchMode::Stretch);
    ASSERT_NE(DecorationAt(project, Corner::LeftTop), nullptr);
    EXPECT_EQ(DecorationAt(project, Corner::LeftTop)->file, "old.png");
}

TEST_F(OpenTest, FailuresLeaveTheSkinUntouched)
{
    const SkinContent before = Previous();
    SkinContent project = before;
    auto unchanged = [&] {
        EXPECT_EQ(project.picturePath, before.picturePath);
        EXPECT_EQ(project.stretchRegion, before.stretchRegion);
        EXPECT_EQ(project.mainColour, before.mainColour);
        EXPECT_EQ(project.skinName, before.skinName);
        EXPECT_EQ(project.items, before.items);
    };

    const OpenResult missing = OpenPackage(Output("missing.vsf"), project);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.isEmpty());
    unchanged();

    const OpenResult garbage = OpenPackage(MakeFile("garbage.vsf", "PK\x03\x04 not an archive"), project);
    EXPECT_FALSE(garbage.ok);
    EXPECT_FALSE(QFileInfo::exists(ExtractionFolder(Output("garbage.vsf"))));
    unchanged();

    // Strips of different heights cannot be joined.
    const Members uneven = {{"TopPanelBKLeft.bmp", Bmp(10, 30)},
                            {"TopPanelBKMid.bmp", Bmp(20, 31)},
                            {"TopPanelBKRight.bmp", Bmp(10, 30)}};
    EXPECT_FALSE(OpenPackage(MakePackage("uneven.vsf", uneven), project).ok);
    unchanged();

    // A path ending in ".." names a folder, never a package; nothing is emptied for it.
    MakeFolders(ExtractionRoot());
    ASSERT_TRUE(skintest::WriteAll(ExtractionRoot() + "/keep.txt", "k"));
    EXPECT_FALSE(OpenPackage(ExtractionRoot() + "/sub/..", project).ok);
    EXPECT_TRUE(QFileInfo::exists(ExtractionRoot() + "/keep.txt"));
}

TEST_F(OpenTest, ReopeningTheSameNameEmptiesTheExtractionFolderFirst)
{
    Members first = Strips(10, 20, 10);
    first << std::pair<QString, QByteArray>{"topleft.png", "png"};
    const QString package = MakePackage("same.vsf", first);
    SkinContent project;
    ASSERT_TRUE(OpenPackage(package, project).ok);
    const QString folder = ExtractionFolder(package);
    ASSERT_TRUE(QFileInfo::exists(folder + "/topleft.png"));

    // The decoration still names the first package's file, which the second open removes.
    MakePackage("same.vsf", Strips(10, 20, 10));
    ASSERT_TRUE(OpenPackage(package, project).ok);
    EXPECT_FALSE(QFileInfo::exists(folder + "/topleft.png"));
    EXPECT_EQ(DecorationAt(project, Corner::LeftTop), nullptr);
}

// An open that leaves the thumbnail picture of the skin before would save that one again.
TEST_F(OpenTest, BuildingRightAfterAnOpenTakesTheOpenedThumbnail)
{
    const auto solid = [this](const QString& name, QRgb colour) {
        QImage image(60, 37, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(Output(name), "BMP"));
        return Output(name);
    };
    auto blue = std::make_shared<CSkinImage>();
    auto red = std::make_shared<CSkinImage>();
    auto picture = std::make_shared<CSkinImage>();
    ASSERT_TRUE(picture->LoadFromFile(MakePicture("p.bmp", 700, 61)));
    SkinContent project;
    project.picture = picture;
    project.crop = {0, 0, 700, 61};
    project.skinName = "blue";
    project.thumbnailPath = solid("blue.bmp", qRgb(0, 0, 255));
    ASSERT_TRUE(blue->LoadFromFile(project.thumbnailPath));
    project.thumbnailPicture = blue;
    ASSERT_TRUE(BuildPackage(project, Output("blue.vsf")).ok);

    project.thumbnailPath = solid("red.bmp", qRgb(255, 0, 0));
    ASSERT_TRUE(red->LoadFromFile(project.thumbnailPath));
    project.thumbnailPicture = red;
    ASSERT_TRUE(OpenPackage(Output("blue.vsf"), project).ok);
    ASSERT_TRUE(BuildPackage(project, Output("again.vsf")).ok);
    skintest::ScratchDir unpacked;
    ASSERT_TRUE(UnzipAll(Output("again.vsf"), unpacked.path(), nullptr, false));
    EXPECT_EQ(QImage(unpacked.file("small.bmp")).pixel(30, 18) & 0xFFFFFF, 0x0000FFu);
}

// The opener's in-memory read must give what the file open gives: the same errors, members,
// description and header bytes.
TEST_F(OpenTest, ReadingFromMemoryGivesWhatTheFileOpenGives)
{
    Members coloured = Strips(100, 450, 150);
    coloured << std::pair<QString, QByteArray>{"conf.ini", "[CONF]\r\nhue=140\r\nsat=65\r\nlight=120\r\n"
                                                           "showname=x\r\n[KEY]\r\nswfcontrolnum=1\r\n"
                                                           "swfcontrol1=1,2,3,4,2\r\n"}
             << std::pair<QString, QByteArray>{"swfcontrol1.swf", "FWS"};
    const QList<std::pair<QString, Members>> packages = {
        {"strips.vsf", coloured},
        {"mid.vsf", {{"TopPanelBKMid.bmp", Bmp(80, 9)}, {"conf.ini", "[CONF]\r\nshowname=m\r\n"}}},
        {"uneven.vsf",
         {{"TopPanelBKLeft.bmp", Bmp(10, 30)},
          {"TopPanelBKMid.bmp", Bmp(5, 31)},
          {"TopPanelBKRight.bmp", Bmp(9, 30)}}},
        {"bigconf.vsf", {{"conf.ini", QByteArray(64 * 1024 + 1, 'x')}}},
        {"bare.vsf", {{"readme.txt", "x"}}}};
    for (const auto& [name, members] : packages) {
        const QString package = MakePackage(name, members);
        SkinContent project;
        const OpenResult opened = OpenPackage(package, project);
        const PackageContent read = ReadPackage(skintest::ReadAll(package), package);
        EXPECT_EQ(read.ok, opened.ok) << name.toStdString();
        EXPECT_EQ(read.error, opened.error) << name.toStdString();
        QStringList names;
        for (const UnzippedMember& member : read.members)
            names << member.name;
        EXPECT_EQ(names, opened.members) << name.toStdString();
        if (!opened.ok)
            continue;
        const QFileInfo header(opened.headerPath);
        EXPECT_EQ(read.header.header, header.exists() ? skintest::ReadAll(opened.headerPath) : QByteArray())
            << name.toStdString();
        EXPECT_EQ(read.description.showName, project.skinName);
        EXPECT_EQ(ColorOfNumbers(read.description.colour), project.mainColour);
        EXPECT_EQ(read.description.extraControls.size(),
                  OpenedExtras(project, opened.extractionFolder).size());
    }
    const QString garbage = MakeFile("g.vsf", "PK\x03\x04 not an archive");
    SkinContent project;
    EXPECT_FALSE(ReadPackage(skintest::ReadAll(garbage), garbage).ok);
    EXPECT_EQ(ReadPackage(skintest::ReadAll(garbage), garbage).error, OpenPackage(garbage, project).error);
}

// The members are read in memory: only those handed on as files (pictures and movies, the
// thumbnail and the rebuilt header) are written out; strips, conf.ini and unknown members are not.
TEST_F(OpenTest, OnlyTheMembersTakenAsFilesAreWrittenOut)
{
    Members members = Strips(100, 450, 150);
    members << std::pair<QString, QByteArray>{"conf.ini",
                                              "[CONF]\r\nshowname=x\r\n[KEY]\r\nswfcontrolnum=1\r\n"
                                              "swfcontrol1=1,2,3,4,2\r\n"}
            << std::pair<QString, QByteArray>{"small.bmp", Bmp(60, 37)}
            << std::pair<QString, QByteArray>{"topright.png", "png"}
            << std::pair<QString, QByteArray>{"bottomleft.swf", "FWS-corner"}
            << std::pair<QString, QByteArray>{"swfcontrol1.swf", "FWS-extra"}
            << std::pair<QString, QByteArray>{"swfcontrol2.swf", "FWS-undeclared"}
            << std::pair<QString, QByteArray>{"readme.txt", "x"};
    const QString package = MakePackage("files.vsf", members);
    SkinContent project;
    const OpenResult result = OpenPackage(package, project);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.members.size(), members.size());
    EXPECT_EQ(QDir(result.extractionFolder).entryList(QDir::Files, QDir::Name),
              (QStringList{"HeadTemp.bmp", "TopHeadTemp.bmp", "bottomleft.swf", "small.bmp",
                           "swfcontrol1.swf", "topright.png"}));
    const PackageControls controls = SplitControls(project.items);
    ASSERT_TRUE(controls.corner[Corner::LeftBottom].has_value());
    EXPECT_EQ(skintest::ReadAll(controls.corner[Corner::LeftBottom]->file), "FWS-corner");
    ASSERT_NE(DecorationAt(project, Corner::RightTop), nullptr);
    EXPECT_EQ(skintest::ReadAll(DecorationAt(project, Corner::RightTop)->file), "png");
    EXPECT_EQ(result.description.showName, "x");
}
