// skinmaker-cli edit, the default placements, and pictures decoded band by band.
#include "CliFixture.h"
#include "imaging/CSkinImage.h"
#include "skin/PackageNames.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"

#include <QBuffer>
#include <QDir>
#include <QJsonArray>
#include <QMap>
#include <QRandomGenerator>
#include <QSet>
#include <QtEndian>
#include <cmath>
#include <functional>

namespace {

using Members = QMap<QString, QByteArray>;

Members Unpack(const QString& package)
{
    skintest::ScratchDir folder;
    QStringList names;
    EXPECT_TRUE(UnzipAll(package, folder.path(), &names, false)) << package.toStdString();
    Members members;
    for (const QString& name : names)
        members[name] = skintest::ReadAll(folder.file(name));
    return members;
}

// "SECTION/key" -> value of a description file.
QMap<QString, QByteArray> ConfKeys(const QByteArray& conf)
{
    QMap<QString, QByteArray> keys;
    QString section;
    for (const QByteArray& line : conf.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('['))
            section = QString::fromLatin1(trimmed.mid(1, trimmed.size() - 2));
        else if (const qsizetype equals = trimmed.indexOf('='); equals > 0)
            keys[section + '/' + QString::fromLatin1(trimmed.left(equals))] = trimmed.mid(equals + 1);
    }
    return keys;
}

// What differs between two packages: member names (conf.ini aside) and description keys.
QStringList Differences(const Members& a, const Members& b)
{
    QSet<QString> names(a.keyBegin(), a.keyEnd());
    names.unite(QSet<QString>(b.keyBegin(), b.keyEnd()));
    QStringList differ;
    for (const QString& name : names) {
        if (name != "conf.ini" && a.value(name) != b.value(name))
            differ << name;
    }
    const auto keysA = ConfKeys(a.value("conf.ini"));
    const auto keysB = ConfKeys(b.value("conf.ini"));
    QSet<QString> keys(keysA.keyBegin(), keysA.keyEnd());
    keys.unite(QSet<QString>(keysB.keyBegin(), keysB.keyEnd()));
    for (const QString& key : keys) {
        if (keysA.value(key) != keysB.value(key))
            differ << key;
    }
    differ.sort();
    return differ;
}

const QString kClock = QStringLiteral(SKIN_SOURCE_DIR "/res/flash/clock.swf");
const QString kWeather = QStringLiteral(SKIN_SOURCE_DIR "/res/flash/weather.swf");
const QString kMeter = QStringLiteral(SKIN_SOURCE_DIR "/res/flash/meter.swf");

class CliEditTest : public CliTest {
protected:
    // A skin with everything: three strips, tile, colour, white tabs, a thumbnail, two
    // decorations and five controls (lefttop twice).
    QString RichPackage(const QString& name)
    {
        const QString package = Path(name);
        const CliRun run =
            Cli(QStringList{"build", "-o", package, "--picture", PatternPicture("rich.bmp", 1600, 500),
                            "--name", QString::fromUtf8("全部")} +
                LookOptions() +
                QStringList{
                    "--thumbnail", Picture("thumb.png", 120, 74), "--decoration",
                    "righttop=" + File("d1.png", skintest::PngPicture(40, 30)) + "@-3,4", "--decoration",
                    "leftbottom=" + File("d2.png", skintest::PngPicture(20, 20)) + "@5,5", "--control",
                    "lefttop=" + kClock + "@10,20,80,80", "--control", "lefttop=" + kWeather + "@1,2,120,60",
                    "--control", "righttop=" + kMeter + "@3,4,100,40", "--control",
                    "leftbottom=" + kClock + "@5,6,80,80", "--control",
                    "rightbottom=" + kWeather + "@7,8,120,60"});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return package;
    }
    Members Edit(const QString& package, const QString& output, const QStringList& options)
    {
        const CliRun run = Cli(QStringList{"edit", package, "-o", output, "--force"} + options);
        EXPECT_EQ(run.exitCode, 0) << options.join(' ').toStdString() << run.err.toStdString();
        return Unpack(output);
    }
};

} // namespace

TEST_F(CliEditTest, EditWithoutOptionsKeepsEveryMember)
{
    const QString rich = RichPackage("rich.vsf");
    QDir().mkpath(Path("again"));
    EXPECT_EQ(Differences(Unpack(rich), Edit(rich, Path("again/rich.vsf"), {})), QStringList());

    // The sample skin: a colour whose numbers do not survive a trip through RGB (sat 64 came back as
    // 65), and a header 702 pixels wide that the first-crop rule would cut narrower.
    const QString sample = Path("sample.vsf");
    ASSERT_EQ(
        Cli({"build", "-o", sample, "--picture", QStringLiteral(SKIN_SOURCE_DIR "/res/sample/sample.jpg"),
             "--name", "s", "--crop", "0,180,1600,319", "--stretch", "300,180,900,319", "--color", "#2e7bcf"})
            .exitCode,
        0);
    EXPECT_EQ(Differences(Unpack(sample), Edit(sample, Path("again/sample.vsf"), {})), QStringList());
    // Editing in place, and a package named in capitals; "name" follows the package's file name.
    ASSERT_TRUE(QFile::copy(sample, Path("UPPER.VSF")));
    EXPECT_EQ(Differences(Unpack(sample), Edit(Path("UPPER.VSF"), Path("UPPER.VSF"), {})),
              QStringList{"CONF/name"});
}

TEST_F(CliEditTest, EachOptionChangesItsOwnMemberOrKeys)
{
    const QString rich = RichPackage("rich.vsf");
    const Members before = Unpack(rich);
    const QString out = Path("out/rich.vsf");
    QDir().mkpath(Path("out"));
    const QList<std::pair<QStringList, QStringList>> cases = {
        {{"--name", "other"}, {"CONF/showname"}},
        {{"--color", "#112233"}, {"CONF/hue", "CONF/light", "CONF/sat"}},
        {{"--black-tabs"}, {"CONF/white"}},
        {{"--no-tile"}, {"CONF/tile"}},
        {{"--thumbnail", PatternPicture("t2.png", 60, 37)}, {"small.bmp"}},
        {{"--decoration", "rightbottom=" + File("d3.png", skintest::PngPicture(10, 10))},
         {"CONF/rightbottomx", "CONF/rightbottomy", "bottomright.png"}},
        {{"--move-decoration", "righttop@9,9"}, {"CONF/righttopx", "CONF/righttopy"}},
        {{"--remove-decoration", "leftbottom"}, {"CONF/leftbottomx", "CONF/leftbottomy", "bottomleft.png"}},
        {{"--control", "righttop=" + kClock + "@1,1,80,80"},
         {"KEY/swfcontrol2", "KEY/swfcontrolnum", "swfcontrol2.swf"}},
        {{"--move-control", "topright.swf@30,31"}, {"KEY/swfrighttop"}},
        {{"--move-control", "swfcontrol1.swf@30,31,120,60"}, {"KEY/swfcontrol1"}},
        {{"--remove-control", "swfcontrol1.swf"},
         {"KEY/swfcontrol1", "KEY/swfcontrolnum", "swfcontrol1.swf"}},
    };
    for (const auto& [options, changed] : cases)
        EXPECT_EQ(Differences(before, Edit(rich, out, options)), changed) << options.join(' ').toStdString();

    // Without its corner control, a corner's first extra control takes its place.
    const Members promoted = Edit(rich, out, {"--remove-control", "topleft.swf"});
    EXPECT_EQ(promoted["topleft.swf"], before["swfcontrol1.swf"]);
    EXPECT_EQ(ConfKeys(promoted["conf.ini"])["KEY/swflefttop"], "1,2,120,60");
    EXPECT_FALSE(promoted.contains("swfcontrol1.swf"));

    // Names that the package does not hold are errors, and nothing is written.
    for (const QStringList& wrong : {QStringList{"--remove-control", "swfcontrol9.swf"},
                                     QStringList{"--move-decoration", "rightbottom@1,1"},
                                     QStringList{"--remove-decoration", "middle"}}) {
        const CliRun run = Cli(QStringList{"edit", rich, "-o", Path("never.vsf")} + wrong);
        EXPECT_EQ(run.exitCode, 1) << wrong.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(Path("never.vsf")));
    }
    EXPECT_EQ(Cli({"edit", rich, "-o", Path("x.vsf"), "--crop", "1,2,3,4"}).exitCode, 2);
    EXPECT_EQ(Cli({"build", "-o", Path("x.vsf"), "--picture", Path("rich.bmp"), "--name", "n",
                   "--remove-control", "topleft.swf"})
                  .exitCode,
              2);
}

TEST_F(CliEditTest, DefaultPlacementsCentreOnTheCornerAtTheStageSize)
{
    const QString package = Path("placed.vsf");
    const QString movie = File("movie.swf", skintest::SwfMovie(80, 50));
    const CliRun run =
        Cli({"build", "-o", package, "--picture", Picture("p.bmp", 700, 61), "--name", "p", "--decoration",
             "rightbottom=" + File("d.png", skintest::PngPicture(101, 80)), "--control", "lefttop=" + movie,
             "--control", "lefttop=" + movie + "@4,5", "--control", "righttop=" + movie + "@1,2,100,50"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // A 101 x 80 decoration centred on its corner: the wizard's 50, 40 (halves truncated).
    const QJsonObject info = Info(package);
    EXPECT_EQ(info["decorations"].toArray()[0].toObject()["offset"], (QJsonArray{50, 40}));
    const QJsonArray controls = info["controls"].toArray();
    EXPECT_EQ(controls[0].toObject()["position"], (QJsonArray{40, 25}));
    EXPECT_EQ(controls[0].toObject()["size"], (QJsonArray{80, 50}));
    EXPECT_EQ(controls[2].toObject()["position"], (QJsonArray{4, 5}));
    EXPECT_EQ(controls[2].toObject()["size"], (QJsonArray{80, 50}));
    // A size other than the movie's stage is kept, with a warning.
    EXPECT_EQ(controls[1].toObject()["size"], (QJsonArray{100, 50}));
    EXPECT_TRUE(QString::fromUtf8(run.err).contains("100x50")) << run.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(run.err).contains("80x50"));
}

// A picture wider than the resampler's limit keeps its width when its strip is a plain copy; a
// strip that would have to be scaled beyond the limit is refused, not squeezed.
TEST_F(CliEditTest, WidePicturesAreCopiedWholeOrRefused)
{
    const QString wide = PatternPicture("wide.bmp", 6000, 600);
    const QString package = Path("wide.vsf");
    ASSERT_EQ(Cli({"build", "-o", package, "--picture", wide, "--name", "w"}).exitCode, 0);
    const QImage strip = QImage::fromData(Unpack(package)["TopPanelBKMid.bmp"]);
    const QImage picture(wide);
    // the default crop: 6000 x 523 (522.9 rounded), rows 38..560
    ASSERT_EQ(strip.size(), QSize(6000, 523));
    EXPECT_EQ(strip.convertToFormat(QImage::Format_RGB32),
              picture.copy(0, 38, 6000, 523).convertToFormat(QImage::Format_RGB32));

    const CliRun refused =
        Cli({"build", "-o", Path("squeezed.vsf"), "--picture", PatternPicture("long.bmp", 10000, 122),
             "--name", "s", "--crop", "0,0,10000,122", "--stretch", "100,0,9900,122"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(refused.err).contains("4096")) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("squeezed.vsf")));
    // A package is never taken for a picture, whatever the case of its extension.
    EXPECT_TRUE(
        QString::fromUtf8(Cli({"build", "-o", Path("p.vsf"), "--picture", package, "--name", "x"}).err)
            .contains("edit"));
    ASSERT_TRUE(QFile::copy(package, Path("WIDE.VSF")));
    EXPECT_TRUE(QString::fromUtf8(
                    Cli({"build", "-o", Path("p.vsf"), "--picture", Path("WIDE.VSF"), "--name", "x"}).err)
                    .contains("edit"));
}

namespace {

// A photo-like picture: soft gradients, waves and a little grain.
QImage Photo(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator rng(7);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double wave = 40.0 * std::sin(x / 97.0) * std::cos(y / 61.0);
            const int grain = static_cast<int>(rng.bounded(8)) - 4;
            const auto channel = [&](double base) { return std::clamp(int(base + wave) + grain, 0, 255); };
            row[x] = qRgb(channel(60 + x / 40.0), channel(90 + y / 30.0), channel(200 - (x + y) / 60.0));
        }
    }
    return image;
}

// A JPEG segment that records the camera orientation "rotate 90 degrees clockwise" (6).
QByteArray WithOrientation(const QByteArray& jpeg)
{
    const QByteArray tiff = QByteArray("MM\0\x2a\0\0\0\x08", 8) + QByteArray("\0\x01", 2) +
                            QByteArray("\x01\x12\0\x03\0\0\0\x01\0\x06\0\0", 12) + QByteArray(4, '\0');
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char((payload.size() + 2) >> 8)).append(char((payload.size() + 2) & 0xFF)).append(payload);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

} // namespace

// The CLI decodes a JPEG only down to the crop's last row; whatever the kind of JPEG, the package
// must be the one a whole decode gives (made here in this process through the package builder).
TEST_F(CliEditTest, BandDecodeGivesTheMembersOfAWholeDecode)
{
    const QString base = Path("base.png");
    ASSERT_TRUE(Photo(1200, 900).save(base));
    struct Kind {
        const char* name;
        QStringList convert; // ImageMagick options; empty for the orientation case
    };
    const QList<Kind> kinds = {{"420.jpg", {"-sampling-factor", "4:2:0"}},
                               {"444.jpg", {"-sampling-factor", "4:4:4"}},
                               {"progressive.jpg", {"-interlace", "JPEG"}},
                               {"cmyk.jpg", {"-colorspace", "CMYK"}},
                               {"rotated.jpg", {}}};
    qputenv("TMPDIR", m_temp.path().toLocal8Bit()); // the in-process builder's private folders
    for (const Kind& kind : kinds) {
        const QString jpeg = Path(kind.name);
        if (kind.convert.isEmpty()) {
            QByteArray plain;
            QBuffer buffer(&plain);
            buffer.open(QIODevice::WriteOnly);
            ASSERT_TRUE(Photo(1200, 900).save(&buffer, "JPG", 90));
            ASSERT_TRUE(skintest::WriteAll(jpeg, WithOrientation(plain)));
        } else {
            ASSERT_EQ(QProcess::execute("convert", QStringList{base, "-quality", "90"} + kind.convert +
                                                       QStringList{jpeg}),
                      0)
                << kind.name;
        }
        const QString band = Path(QString("band-") + kind.name + ".vsf");
        const CliRun run = Cli({"build", "-o", band, "--picture", jpeg, "--name", "b", "--crop",
                                "0,300,800,370", "--stretch", "100,300,600,370"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

        SkinContent project;
        auto whole = std::make_shared<CSkinImage>();
        ASSERT_TRUE(whole->LoadFromFile(jpeg));
        if (kind.convert.isEmpty()) { // the recorded orientation turns the picture upright
            EXPECT_EQ(whole->GetSize(), QSize(900, 1200));
        }
        project.picture = whole;
        project.crop = {0, 300, 800, 370};
        project.stretchRegion = {100, 300, 600, 370};
        project.skinName = "b";
        QDir().mkpath(Path("whole"));
        const QString reference = Path(QString("whole/band-") + kind.name + ".vsf");
        ASSERT_TRUE(BuildPackage(project, reference).ok);
        EXPECT_EQ(Differences(Unpack(band), Unpack(reference)), QStringList()) << kind.name;
    }

    // The benchmark's photo, 6000 x 4000, with the default crop: rows 1738..2260.
    const QString photo = Path("photo.jpg");
    ASSERT_TRUE(Photo(6000, 4000).save(photo, "JPG", 90));
    ASSERT_EQ(Cli({"build", "-o", Path("photo.vsf"), "--picture", photo, "--name", "b"}).exitCode, 0);
    SkinContent project;
    project.picture = std::make_shared<CSkinImage>();
    ASSERT_TRUE(project.picture->LoadFromFile(photo));
    project.crop = {0, 1738, 6000, 2261};
    project.skinName = "b";
    ASSERT_TRUE(BuildPackage(project, Path("whole/photo.vsf")).ok);
    EXPECT_EQ(Differences(Unpack(Path("photo.vsf")), Unpack(Path("whole/photo.vsf"))), QStringList());
}

namespace {

// The width of the header a package's strips give: the three strips side by side, or the middle
// strip alone scaled to 61 rows, read from their BMP headers.
double HeaderWidth(const Members& members)
{
    const auto size = [&members](const char* member) -> QSizeF {
        const QByteArray bmp = members.value(member);
        if (bmp.size() < 26)
            return {};
        const auto int32 = [&bmp](int at) { return qFromLittleEndian<qint32>(bmp.constData() + at); };
        return QSizeF(int32(18), std::abs(int32(22)));
    };
    const QSizeF left = size("TopPanelBKLeft.bmp");
    const QSizeF mid = size("TopPanelBKMid.bmp");
    if (left.isEmpty())
        return mid.width() * 61.0 / mid.height();
    return left.width() + mid.width() + size("TopPanelBKRight.bmp").width();
}

// A package as unpacked, with its description changed by edit, packed again as package.
void Repack(const QString& from, const QString& package,
            const std::function<void(QByteArray& conf, skintest::ScratchDir& folder)>& edit)
{
    skintest::ScratchDir folder;
    QStringList names;
    ASSERT_TRUE(UnzipAll(from, folder.path(), &names, false));
    QByteArray conf = skintest::ReadAll(folder.file("conf.ini"));
    edit(conf, folder);
    ASSERT_TRUE(skintest::WriteAll(folder.file("conf.ini"), conf));
    QStringList paths;
    for (const QString& name : QDir(folder.path()).entryList(QDir::Files))
        paths << folder.file(name);
    ASSERT_TRUE(ZipPackFiles(paths, package));
}

} // namespace

TEST_F(CliEditTest, DefaultCropOfAnyPictureGivesA700PixelHeader)
{
    for (const QSize size : {QSize(700, 400), QSize(1400, 900), QSize(2560, 1707), QSize(4000, 3000),
                             QSize(6000, 4000), QSize(8000, 1000)}) {
        const QString name = QString("%1x%2").arg(size.width()).arg(size.height());
        const QString package = Path(name + ".vsf");
        const CliRun run = Cli({"build", "-o", package, "--picture",
                                Picture(name + ".jpg", size.width(), size.height()), "--name", "d"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_NEAR(HeaderWidth(Unpack(package)), 700.0, 1.0) << name.toStdString();
    }
}

// The CLI's own limit is the wizard's: four corner controls and 20 more. A package that declares
// more is not cut down without the user's word.
TEST_F(CliEditTest, TwentyFourControlsSurviveAndMoreAreRefusedUnlessForced)
{
    QStringList controls;
    for (int k = 0; k < 24; ++k)
        controls << "--control" << QString("%1=%2").arg(CornerKeyName(kCorners[k % 4]), kClock);
    const QString full = Path("full.vsf");
    const QStringList build = {"build", "-o", full, "--picture", Picture("p.bmp", 700, 61), "--name", "f"};
    ASSERT_EQ(Cli(build + controls).exitCode, 0);
    const CliRun more = Cli(build + controls + QStringList{"--force", "--control", "lefttop=" + kClock});
    EXPECT_EQ(more.exitCode, 1);
    EXPECT_TRUE(more.err.contains("20")) << more.err.toStdString();
    QDir().mkpath(Path("again"));
    EXPECT_EQ(Differences(Unpack(full), Edit(full, Path("again/full.vsf"), {})), QStringList());

    const QString crowded = Path("crowded.vsf");
    Repack(full, crowded, [](QByteArray& conf, skintest::ScratchDir& folder) {
        conf.replace("swfcontrolnum=20", "swfcontrolnum=25");
        QFile::copy(kClock, folder.file("swfcontrol21.swf"));
    });
    const CliRun refused = Cli({"edit", crowded, "-o", Path("out.vsf")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("--force")) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("out.vsf")));
    const CliRun forced = Cli({"edit", crowded, "-o", Path("out.vsf"), "--force"});
    EXPECT_EQ(forced.exitCode, 0) << forced.err.toStdString();
    EXPECT_FALSE(forced.err.isEmpty());
    EXPECT_EQ(Info(Path("out.vsf"))["controls"].toArray().size(), 24);
}

TEST_F(CliEditTest, NamesAndPlacesFollowTheWizardsRules)
{
    const QString package = Path("r.vsf");
    const QStringList build = {"build", "-o", package, "--picture", Picture("p.bmp", 700, 61)};
    for (const char* name : {"a/b", "a\\b"}) {
        const CliRun refused = Cli(build + QStringList{"--name", name});
        EXPECT_EQ(refused.exitCode, 1) << name;
        EXPECT_TRUE(refused.err.contains("/")) << refused.err.toStdString();
    }
    // Far outside: moved back to the nearest place wholly outside the window (40 x 30 and 80 x 80).
    ASSERT_EQ(
        Cli(build + QStringList{"--name", "r", "--decoration",
                                "lefttop=" + File("d.png", skintest::PngPicture(40, 30)) + "@-5000,9000",
                                "--control", "lefttop=" + kClock})
            .exitCode,
        0);
    EXPECT_EQ(Info(package)["decorations"].toArray()[0].toObject()["offset"], (QJsonArray{-352, 30}));
    Edit(package, package, {"--move-control", "topleft.swf@9999,9999"});
    EXPECT_EQ(Info(package)["controls"].toArray()[0].toObject()["position"], (QJsonArray{80, 80}));

    // A corner control without its placement line: at its stage size, centred on the corner.
    const QString bare = Path("bare.vsf");
    Repack(package, bare,
           [](QByteArray& conf, skintest::ScratchDir&) { conf.replace("swflefttop=80,80,80,80", ""); });
    EXPECT_EQ(ConfKeys(Edit(bare, Path("again.vsf"), {})["conf.ini"])["KEY/swflefttop"], "40,40,80,80");
}
