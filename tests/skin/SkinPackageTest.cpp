#include "PackageFixture.h"

#include "imaging/CSkinImage.h"
#include "imaging/ColorModel.h"
#include "imaging/ImageLoading.h"
#include "skin/HeaderStrips.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRandomGenerator>
#include <csignal>
#include <sys/resource.h>
#include <zlib.h>

using skintest::ReadAll;
using skintest::ScratchDir;

namespace {

QSize BitmapSize(const QString& path)
{
    return QImageReader(path).size();
}

struct Unpacked {
    ScratchDir dir;
    QStringList members;
    QString file(const QString& name) const { return dir.file(name); }
};

std::unique_ptr<Unpacked> Unpack(const QString& package)
{
    auto unpacked = std::make_unique<Unpacked>();
    EXPECT_TRUE(UnzipAll(package, unpacked->dir.path(), &unpacked->members, false));
    return unpacked;
}

uint32_t LE(const QByteArray& b, qsizetype at, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | uint8_t(b[at + i]);
    return value;
}

// Each member's name and compressed data, read from the central directory and local records.
QList<std::pair<QByteArray, QByteArray>> CompressedMembers(const QByteArray& zip)
{
    QList<std::pair<QByteArray, QByteArray>> members;
    const qsizetype end = zip.size() - 22;
    qsizetype central = LE(zip, end + 16, 4);
    for (uint32_t i = 0; i < LE(zip, end + 10, 2); ++i) {
        const qsizetype nameLength = LE(zip, central + 28, 2);
        const qsizetype local = LE(zip, central + 42, 4);
        const qsizetype data = local + 30 + LE(zip, local + 26, 2) + LE(zip, local + 28, 2);
        members.append({zip.mid(central + 46, nameLength), zip.mid(data, LE(zip, central + 20, 4))});
        central += 46 + nameLength + LE(zip, central + 30, 2) + LE(zip, central + 32, 2);
    }
    return members;
}

qsizetype ZlibLevel8Size(const QByteArray& data)
{
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                        reinterpret_cast<const Bytef*>(data.constData()), uLong(data.size()), 8),
              Z_OK);
    return qsizetype(size) - 6; // without zlib's header and checksum: raw DEFLATE
}

} // namespace

class BuildTest : public PackageTest {
protected:
    // A skin over a picture of the given size, cropped to crop.
    void Prepare(int width, int height, const SkinRect& crop, const SkinRect& stretch = {})
    {
        ASSERT_TRUE(m_picture->LoadFromFile(MakePicture("picture.bmp", width, height)));
        m_skin = SkinContent();
        m_skin.picture = m_picture;
        m_skin.crop = crop;
        m_skin.stretchRegion = stretch;
        m_skin.skinName = "skin";
    }

    SharedPicture m_picture = std::make_shared<CSkinImage>();
    SkinContent m_skin;
};

TEST(HeaderStrips, PlansTheCutsOfThePlayersStrips)
{
    const StripPlan plan = PlanStrips({0, 0, 1400, 122}, {200, 0, 1200, 122});
    EXPECT_TRUE(plan.threeStrips);
    EXPECT_EQ(plan.left, (SkinRect{0, 0, 200, 122}));
    EXPECT_EQ(plan.mid, (SkinRect{200, 0, 1200, 122}));
    EXPECT_EQ(plan.right, (SkinRect{1200, 0, 1400, 122}));
    EXPECT_EQ(plan.scale, 0.5);
    // The scale is single precision: 61/90 as a float, not as a double.
    EXPECT_EQ(PlanStrips({0, 0, 800, 90}, {1, 0, 2, 90}).scale, static_cast<double>(61.0f / 90.0f));
    EXPECT_NE(PlanStrips({0, 0, 800, 90}, {1, 0, 2, 90}).scale, 61.0 / 90.0);

    const StripPlan single = PlanStrips({5, 6, 805, 96}, {});
    EXPECT_FALSE(single.threeStrips);
    EXPECT_EQ(single.mid, (SkinRect{5, 6, 805, 96}));
    EXPECT_EQ(single.scale, 1.0);
}

TEST(HeaderStrips, ThumbnailIsCutFromTheRightEndOfTheHeader)
{
    EXPECT_EQ(PlanThumbnailCut({0, 0, 700, 61}).source, (SkinRect{601, 0, 700, 61}));
    const ThumbnailCut tall = PlanThumbnailCut({0, 0, 700, 122});
    EXPECT_EQ(tall.source, (SkinRect{502, 0, 700, 122}));
    EXPECT_EQ(tall.scale, 37.0 / 122);
}

TEST_F(BuildTest, ThreeStripsAt61PixelsHigh)
{
    Prepare(700, 61, {0, 0, 700, 61}, {100, 0, 600, 61});
    const QString package = Output("strips.vsf");
    const BuildResult result = BuildPackage(m_skin, package);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const auto unpacked = Unpack(package);
    EXPECT_EQ(unpacked->members, (QStringList{"TopPanelBKLeft.bmp", "TopPanelBKMid.bmp",
                                              "TopPanelBKRight.bmp", "small.bmp", "conf.ini"}));
    EXPECT_EQ(BitmapSize(unpacked->file("TopPanelBKLeft.bmp")), QSize(100, 61));
    EXPECT_EQ(BitmapSize(unpacked->file("TopPanelBKMid.bmp")), QSize(500, 61));
    EXPECT_EQ(BitmapSize(unpacked->file("TopPanelBKRight.bmp")), QSize(100, 61));
    EXPECT_EQ(BitmapSize(unpacked->file("small.bmp")), QSize(60, 37));
    // The build folder keeps nothing but itself.
    EXPECT_TRUE(QDir(BuildFolder()).isEmpty());
}

// Unequal ends show which source columns land in which strip, and where the thumbnail comes from.
TEST_F(BuildTest, StripsAndThumbnailTakeTheirOwnColumns)
{
    Prepare(700, 61, {0, 0, 700, 61}, {100, 0, 650, 61});
    const QString package = Output("unequal.vsf");
    ASSERT_TRUE(BuildPackage(m_skin, package).ok);
    const auto unpacked = Unpack(package);
    const QImage source = m_picture->Picture();
    const QImage left(unpacked->file("TopPanelBKLeft.bmp"));
    const QImage mid(unpacked->file("TopPanelBKMid.bmp"));
    const QImage right(unpacked->file("TopPanelBKRight.bmp"));
    ASSERT_EQ(left.size(), QSize(100, 61));
    ASSERT_EQ(mid.size(), QSize(550, 61));
    ASSERT_EQ(right.size(), QSize(50, 61));
    const auto same = [&](const QImage& strip, int x, int y, int sourceX) {
        EXPECT_EQ(strip.pixel(x, y) & 0xFFFFFF, source.pixel(sourceX, y) & 0xFFFFFF) << x << "," << y;
    };
    same(left, 0, 0, 0);
    same(left, 99, 60, 99);
    same(mid, 0, 0, 100);
    same(mid, 549, 60, 649);
    same(right, 0, 0, 650);
    same(right, 49, 60, 699);
    // The thumbnail squeezes columns 601..699: the red channel runs from 601 % 256 to 699 % 256.
    const QImage thumbnail(unpacked->file("small.bmp"));
    ASSERT_EQ(thumbnail.size(), QSize(60, 37));
    EXPECT_NEAR(qRed(thumbnail.pixel(0, 18)), 601 % 256, 3);
    EXPECT_NEAR(qRed(thumbnail.pixel(30, 18)), 650 % 256, 3);
    EXPECT_NEAR(qRed(thumbnail.pixel(59, 18)), 699 % 256, 3);
}

TEST_F(BuildTest, DoubleHeightCropIsHalved)
{
    Prepare(1400, 122, {0, 0, 1400, 122}, {200, 0, 1200, 122});
    const QString package = Output("half.vsf");
    ASSERT_TRUE(BuildPackage(m_skin, package).ok);
    const auto unpacked = Unpack(package);
    EXPECT_EQ(BitmapSize(unpacked->file("TopPanelBKLeft.bmp")), QSize(100, 61));
    EXPECT_EQ(BitmapSize(unpacked->file("TopPanelBKMid.bmp")), QSize(500, 61));
    EXPECT_EQ(BitmapSize(unpacked->file("TopPanelBKRight.bmp")), QSize(100, 61));
    EXPECT_EQ(BitmapSize(unpacked->file("small.bmp")), QSize(60, 37));
}

TEST_F(BuildTest, WithoutStretchRegionOnlyTheWholeCropAtItsOwnSize)
{
    Prepare(900, 100, {50, 5, 850, 95});
    const QString package = Output("single.vsf");
    ASSERT_TRUE(BuildPackage(m_skin, package).ok);
    const auto unpacked = Unpack(package);
    EXPECT_EQ(unpacked->members, (QStringList{"TopPanelBKMid.bmp", "small.bmp", "conf.ini"}));
    EXPECT_EQ(BitmapSize(unpacked->file("TopPanelBKMid.bmp")), QSize(800, 90));
    // Not resampled: the strip holds the crop's own pixels.
    const QImage strip(unpacked->file("TopPanelBKMid.bmp"));
    const QImage source(m_picture->Picture());
    EXPECT_EQ(strip.pixel(0, 0) & 0xFFFFFF, source.pixel(50, 5) & 0xFFFFFF);
    EXPECT_EQ(strip.pixel(799, 89) & 0xFFFFFF, source.pixel(849, 94) & 0xFFFFFF);
}

// The strip made while a JPEG's rows are decoded is the strip the build cuts, compressed to the
// same bytes; the build takes it only when it was made whole for the skin it builds.
TEST_F(BuildTest, StripMadeWhileDecodingIsTheStripTheBuildCuts)
{
    const QString jpeg = MakePicture("photo.jpg", 1500, 900, "JPG"); // a strip of 1.1 MB: two pieces
    const SkinRect crop{40, 300, 1460, 560};
    const int height = 260;
    const auto build = [&](const QString& name, int rowsToldAhead, const SkinRect& stretch) {
        StripAhead ahead(crop);
        int firstRow = 0;
        const BandDecoded tell = [&](const QImage& rows, int first, int decoded) {
            if (decoded <= rowsToldAhead)
                ahead.RowsDecoded(rows, first, decoded);
        };
        auto picture = std::make_shared<CSkinImage>();
        EXPECT_TRUE(picture->LoadFromImage(DecodePictureRows(jpeg, crop.top, crop.bottom, &firstRow, tell)));
        SkinContent skin;
        skin.picture = picture;
        skin.crop = {crop.left, 0, crop.right, height};
        skin.stretchRegion = stretch;
        skin.skinName = "skin";
        EXPECT_TRUE(BuildPackage(skin, Output(name), &ahead).ok) << name.toStdString();
        return std::pair(ahead.Taken(), CompressedMembers(ReadAll(Output(name))));
    };
    const auto [taken, members] = build("skin.vsf", height, {});
    const auto [halfTaken, half] = build("skin.vsf", 96, {});
    EXPECT_TRUE(taken);
    EXPECT_FALSE(halfTaken);
    EXPECT_EQ(members, half);
    EXPECT_EQ(members.first().first, "TopPanelBKMid.bmp");
    EXPECT_FALSE(build("skin.vsf", height, {100, 0, 1000, height}).first);
}

TEST_F(BuildTest, ChosenThumbnailIsSqueezedTo60By37)
{
    Prepare(700, 61, {0, 0, 700, 61});
    SharedPicture thumbnail = std::make_shared<CSkinImage>();
    const QString path = MakePicture("thumb.png", 300, 300, "PNG");
    ASSERT_TRUE(thumbnail->LoadFromFile(path));
    m_skin.thumbnailPath = path;
    m_skin.thumbnailPicture = thumbnail;
    const QString package = Output("thumb.vsf");
    ASSERT_TRUE(BuildPackage(m_skin, package).ok);
    EXPECT_EQ(BitmapSize(Unpack(package)->file("small.bmp")), QSize(60, 37));

    // A path whose picture the page has not decoded yet is decoded by the build itself.
    m_skin.thumbnailPicture = nullptr;
    ASSERT_TRUE(BuildPackage(m_skin, package).ok);
    EXPECT_EQ(BitmapSize(Unpack(package)->file("small.bmp")), QSize(60, 37));
}

TEST_F(BuildTest, DescriptionFileBytesAndMemberOrder)
{
    Prepare(700, 61, {0, 0, 700, 61}, {100, 0, 600, 61});
    const QString png = MakeFile("deco.png", "\x89PNG\r\n\x1a\n-deco");
    const QString swf = MakeFile("clock.swf", "FWS-clock");
    const QString swf2 = MakeFile("weather.swf", "FWS-weather");
    m_skin.mainColour = MakeColorRef(70, 113, 184);
    m_skin.whiteTabText = true;
    m_skin.stretchMode = StretchMode::Tile;
    // The first control of a corner is the corner's own, every further one an extra control; the
    // items' order decides nothing else. The left-bottom corner has no decoration: neither keys
    // nor a file for it go into the package.
    m_skin.items = {{CornerItemKind::Control, Corner::RightBottom, {20, 30}, {40, 50}, swf, {}, false},
                    {CornerItemKind::Decoration, Corner::RightBottom, QPoint(12, 7), {8, 8}, png, {}, false},
                    {CornerItemKind::Control, Corner::RightTop, {600, 10}, {80, 40}, swf, {}, false},
                    {CornerItemKind::Control, Corner::RightBottom, {5, 6}, {70, 80}, swf2, {}, false},
                    {CornerItemKind::Control, Corner::LeftTop, {11, 12}, {13, 14}, swf, {}, false},
                    {CornerItemKind::Decoration, Corner::LeftTop, QPoint(3, -4), {8, 8}, png, {}, false},
                    {CornerItemKind::Control, Corner::LeftTop, {-7, 8}, {9, 10}, swf, {}, false}};
    m_skin.skinName = QString::fromUtf8("我的皮肤");

    const QString package = Output("myskin.vsf");
    ASSERT_TRUE(BuildPackage(m_skin, package).ok);
    const auto unpacked = Unpack(package);
    EXPECT_EQ(unpacked->members,
              (QStringList{"TopPanelBKLeft.bmp", "TopPanelBKMid.bmp", "TopPanelBKRight.bmp", "small.bmp",
                           "conf.ini", "topleft.png", "bottomright.png", "topleft.swf", "topright.swf",
                           "bottomright.swf", "swfcontrol1.swf", "swfcontrol2.swf"}));
    const SkinColorNumbers numbers = DescribeColor(m_skin.mainColour);
    const QByteArray expected = "[CONF]\r\n"
                                "name=myskin\r\n"
                                "hue=" +
                                QByteArray::number(numbers.hue) +
                                "\r\n"
                                "sat=" +
                                QByteArray::number(numbers.sat) +
                                "\r\n"
                                "light=" +
                                QByteArray::number(numbers.light) +
                                "\r\n"
                                "white=1\r\n"
                                "lefttopx=3\r\n"
                                "lefttopy=-4\r\n"
                                "rightbottomx=12\r\n"
                                "rightbottomy=7\r\n"
                                "tile=1\r\n"
                                "showname=\xce\xd2\xb5\xc4\xc6\xa4\xb7\xf4\r\n"
                                "subjectwriter=0\r\n"
                                "subjectinfo=0\r\n"
                                "id=0\r\n"
                                "[KEY]\r\n"
                                "swflefttop=11,12,13,14\r\n"
                                "swfrighttop=600,10,80,40\r\n"
                                "swfrightbottom=20,30,40,50\r\n"
                                "swfcontrolnum=2\r\n"
                                "swfcontrol1=5,6,70,80,4\r\n"
                                "swfcontrol2=-7,8,9,10,1\r\n";
    EXPECT_EQ(ReadAll(unpacked->file("conf.ini")), expected);
    EXPECT_EQ(ReadAll(unpacked->file("swfcontrol1.swf")), "FWS-weather");
    EXPECT_EQ(ReadAll(unpacked->file("bottomright.png")), ReadAll(png));
}

TEST_F(BuildTest, ConfLeftInTheBuildFolderIsUpdatedInPlace)
{
    Prepare(700, 61, {0, 0, 700, 61});
    ASSERT_TRUE(MakeFolders(BuildFolder()));
    ASSERT_TRUE(skintest::WriteAll(BuildFolder() + "/conf.ini", "[CONF]\r\nid=7\r\nhue=99\r\n"));
    const QString package = Output("reuse.vsf");
    ASSERT_TRUE(BuildPackage(m_skin, package).ok);
    EXPECT_EQ(ReadAll(Unpack(package)->file("conf.ini")),
              QByteArray("[CONF]\r\nid=0\r\nhue=0\r\nname=reuse\r\nsat=0\r\nlight=0\r\nwhite=0\r\n"
                         "showname=skin\r\nsubjectwriter=0\r\nsubjectinfo=0\r\n"));
}

TEST_F(BuildTest, FailedBuildKeepsTheExistingPackage)
{
    Prepare(700, 61, {0, 0, 700, 61});
    const QString package = MakeFile("keep.vsf", "the user's older package");
    m_skin.items = {
        {CornerItemKind::Decoration, Corner::LeftBottom, {}, {}, Output("missing.png"), {}, false}};
    const BuildResult result = BuildPackage(m_skin, package);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains("missing.png")) << result.error.toStdString();
    EXPECT_EQ(ReadAll(package), "the user's older package");
    // Neither half-written archives beside the package nor members in the build folder are left.
    EXPECT_EQ(QDir(QFileInfo(package).path()).entryList(QDir::Files | QDir::Hidden).filter(".part"),
              QStringList());
    EXPECT_TRUE(QDir(BuildFolder()).isEmpty());

    // A folder that does not exist cannot take the package; the reason is given.
    const BuildResult nowhere = BuildPackage(m_skin, Output("no/such/folder/x.vsf"));
    EXPECT_FALSE(nowhere.ok);
    EXPECT_FALSE(nowhere.error.isEmpty());
}

TEST_F(BuildTest, StripThatCannotBeWrittenLeavesNoStripsBehind)
{
    // Strips are made in memory, so a folder where a strip's file used to go stops nothing; a right
    // strip that would be squeezed beyond the resampler's limit (8600 columns at half size) does.
    Prepare(8800, 122, {0, 0, 8800, 122}, {100, 0, 200, 122});
    ASSERT_TRUE(MakeFolders(BuildFolder() + "/TopPanelBKRight.bmp"));
    const BuildResult result = BuildPackage(m_skin, Output("strip.vsf"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains("TopPanelBKRight.bmp")) << result.error.toStdString();
    EXPECT_EQ(QDir(BuildFolder()).entryList(QDir::Files), QStringList());
    EXPECT_FALSE(QFileInfo::exists(Output("strip.vsf")));
}

// A photograph-like strip long enough to be deflated in blocks: built twice, its members are
// compressed to the same bytes; each member is the file the picture object saves; and the package
// is no larger than zlib's level 8 would make it.
TEST_F(BuildTest, SameMembersEveryTimeAsTheSavedFilesAndNoLargerThanZlib)
{
    QImage photo(6000, 240, QImage::Format_RGB32);
    QRandomGenerator grain(3);
    for (int y = 0; y < photo.height(); ++y) {
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y,
                           qRgb(60 + x / 40 + grain.bounded(5), 90 + y / 3, 200 - x / 60 + grain.bounded(5)));
    }
    ASSERT_TRUE(photo.save(Output("photo.bmp")));
    Prepare(1, 1, {0, 0, 6000, 240});
    ASSERT_TRUE(m_picture->LoadFromFile(Output("photo.bmp")));
    ASSERT_TRUE(BuildPackage(m_skin, Output("one.vsf")).ok);
    const QByteArray package = ReadAll(Output("one.vsf"));
    const auto members = CompressedMembers(package);
    ASSERT_EQ(members.size(), 3);
    ASSERT_TRUE(BuildPackage(m_skin, Output("one.vsf")).ok);
    EXPECT_EQ(CompressedMembers(ReadAll(Output("one.vsf"))), members);

    CSkinImage saver;
    ASSERT_TRUE(saver.LoadFromFile(Output("photo.bmp")));
    ASSERT_TRUE(saver.SaveCroppedScaled(Output("strip.bmp"), {0, 0, 6000, 240}, 1.0));
    ASSERT_TRUE(saver.SaveCroppedScaled(Output("small.bmp"), PlanThumbnailCut({0, 0, 6000, 240}).source,
                                        PlanThumbnailCut({0, 0, 6000, 240}).scale));
    const auto unpacked = Unpack(Output("one.vsf"));
    EXPECT_EQ(ReadAll(unpacked->file("TopPanelBKMid.bmp")), ReadAll(Output("strip.bmp")));
    EXPECT_EQ(ReadAll(unpacked->file("small.bmp")), ReadAll(Output("small.bmp")));

    qsizetype zlibPackage = package.size();
    for (const auto& [name, data] : members)
        zlibPackage += ZlibLevel8Size(ReadAll(unpacked->file(QString::fromLatin1(name)))) - data.size();
    EXPECT_LE(double(package.size()), 1.01 * double(zlibPackage));
}

// A package that cannot be written to the end (here the file size limit stops it) leaves the
// existing package as it was and no temporary file.
TEST_F(BuildTest, FailedWriteKeepsTheExistingPackage)
{
    Prepare(3000, 400, {0, 0, 3000, 400});
    const QString package = MakeFile("kept.vsf", "the user's older package");
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 16 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const BuildResult result = BuildPackage(m_skin, package);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains("kept.vsf")) << result.error.toStdString();
    EXPECT_EQ(ReadAll(package), "the user's older package");
    EXPECT_EQ(QDir(QFileInfo(package).path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              (QStringList{"kept.vsf", "picture.bmp"}));
}

TEST_F(BuildTest, ReplacesAnExistingPackageWhenComplete)
{
    Prepare(700, 61, {0, 0, 700, 61});
    const QString package = MakeFile("replace.vsf", "old");
    // The replaced file's permissions carry over to the new package.
    const QFile::Permissions kept = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(package, kept));
    ASSERT_TRUE(BuildPackage(m_skin, package).ok);
    EXPECT_EQ(Unpack(package)->members, (QStringList{"TopPanelBKMid.bmp", "small.bmp", "conf.ini"}));
    EXPECT_EQ(QFile::permissions(package) & QFile::Permissions(0x7077), kept); // owner, group, others
}

// The temporary file beside the package has a short name of its own, so a package name as long
// as the file system allows (255 bytes) still saves.
TEST_F(BuildTest, LongestPackageNameSaves)
{
    Prepare(700, 61, {0, 0, 700, 61});
    const QString package = Output(QString(251, 'n') + ".vsf");
    const BuildResult result = BuildPackage(m_skin, package);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(Unpack(package)->members, (QStringList{"TopPanelBKMid.bmp", "small.bmp", "conf.ini"}));
    EXPECT_EQ(QDir(QFileInfo(package).absolutePath()).entryList(QDir::Hidden | QDir::Files).size(), 2);
}

TEST_F(BuildTest, RefusesWhatCannotBeBuilt)
{
    Prepare(700, 61, {0, 0, 700, 61});
    SkinContent noPicture = m_skin;
    noPicture.picture = nullptr;
    EXPECT_FALSE(BuildPackage(noPicture, Output("a.vsf")).ok);

    SkinContent emptyCrop = m_skin;
    emptyCrop.crop = {10, 10, 10, 50};
    EXPECT_FALSE(BuildPackage(emptyCrop, Output("a.vsf")).ok);

    SkinContent badName = m_skin;
    badName.skinName = QString::fromUtf8("名字😀");
    const BuildResult refused = BuildPackage(badName, Output("a.vsf"));
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.error.contains(QString::fromUtf8("😀")));

    // A corner number the player does not know would make the package open without its controls.
    SkinContent badCorner = m_skin;
    const QString swf = MakeFile("e.swf", "FWS");
    badCorner.items = {{CornerItemKind::Control, Corner::LeftTop, {}, {}, swf, {}, false},
                       {CornerItemKind::Control, static_cast<Corner>(4), {}, {}, swf, {}, false}};
    EXPECT_FALSE(BuildPackage(badCorner, Output("a.vsf")).ok);
    EXPECT_FALSE(QFileInfo::exists(Output("a.vsf")));
}

TEST(SkinNames, NamesTheDescriptionFileCanHold)
{
    EXPECT_EQ(CheckSkinName(QString::fromUtf8("夏日 Summer 2024")), QString());
    EXPECT_EQ(CheckSkinName(QString::fromUtf8("€uro")), QString()); // GBK's 0x80
    EXPECT_NE(CheckSkinName(QString::fromUtf8("smile 😀")), QString());
    EXPECT_NE(CheckSkinName(QString::fromUtf8("ﾃｽﾄ한국어")), QString());
    // A line break would end the value and start lines of its own.
    EXPECT_NE(CheckSkinName("a\r\n[KEY]\r\nswfcontrolnum=9"), QString());
    // Saving suggests a file named after the skin: a path separator would name a folder.
    for (const char* name : {"a/b", "a\\b", "/", "tab\there", "del\x7f"})
        EXPECT_NE(CheckSkinName(QString::fromLatin1(name)), QString()) << name;
    // The player reads at most 255 bytes.
    EXPECT_EQ(CheckSkinName(QString(255, 'a')), QString());
    EXPECT_NE(CheckSkinName(QString(256, 'a')), QString());
    EXPECT_NE(CheckSkinName(QString(128, QChar(0x76AE))), QString());
}

TEST(SkinNames, PackageNameDropsExactlyFourCharacters)
{
    EXPECT_EQ(PackageNameKey("/home/u/myskin.vsf"), "myskin");
    EXPECT_EQ(PackageNameKey("C:\\skins\\a.b.vsf"), "a.b");
    EXPECT_EQ(PackageNameKey("plain.vsf"), "plain");
    EXPECT_EQ(PackageNameKey("x.zip"), "x");
    EXPECT_EQ(PackageNameKey("abc"), "");
}
