// skinmaker-cli run as a process, the way scripts use it.
#include "CliFixture.h"
#include "zip/Zip.h"

#include <QDir>
#include <QJsonArray>
#include <QRegularExpression>

using skintest::ScratchDir;

TEST_F(CliTest, BuildThenInfoRoundTrips)
{
    const QString picture = Picture("photo.jpg", 1600, 500);
    const QString deco = Picture("deco.png", 40, 30);
    const QString swf = QStringLiteral(SKIN_SOURCE_DIR "/res/flash/clock.swf");
    const QString package = Path("out.vsf");
    const CliRun build =
        Cli(QStringList{"build", "-o", package, "--picture", picture, "--name", QString::fromUtf8("日落")} +
            LookOptions() +
            QStringList{"--decoration", "righttop=" + deco + "@-3,4", "--control",
                        "leftbottom=" + swf + "@10,20,30,40", "--control", "leftbottom=" + swf + "@1,2,3,4",
                        "--control=rightbottom=" + QStringLiteral(SKIN_SOURCE_DIR "/res/flash/meter.swf") +
                            "@5,6,7,8"});
    ASSERT_EQ(build.exitCode, 0) << build.err.toStdString();

    const QJsonObject info = Info(package);
    EXPECT_EQ(info["name"].toString(), "out");
    EXPECT_EQ(info["showname"].toString(), QString::fromUtf8("日落"));
    // #2E7BCF travels as hue, saturation and lightness and reads back to the nearest colour they give.
    EXPECT_EQ(info["color"].toString(), "#2D7BD1");
    EXPECT_TRUE(info["white"].toBool());
    EXPECT_TRUE(info["tile"].toBool());
    EXPECT_EQ(info["stretch"].toArray(), (QJsonArray{100, 0, 600, 61}));
    EXPECT_EQ(info["header"].toObject(), (QJsonObject{{"width", 700}, {"height", 61}}));
    // -3 would leave a gap between the window and the decoration: it is moved to touch the window.
    EXPECT_EQ(info["decorations"].toArray(),
              (QJsonArray{QJsonObject{{"corner", "righttop"}, {"offset", QJsonArray{0, 4}}}}));
    const QJsonArray controls = info["controls"].toArray();
    ASSERT_EQ(controls.size(), 3);
    EXPECT_EQ(controls[0].toObject(), (QJsonObject{{"corner", "leftbottom"},
                                                   {"position", QJsonArray{10, 20}},
                                                   {"size", QJsonArray{30, 40}},
                                                   {"member", "bottomleft.swf"},
                                                   {"stage", QJsonArray{80, 80}}}));
    EXPECT_EQ(controls[1].toObject()["member"].toString(), "bottomright.swf");
    EXPECT_EQ(controls[1].toObject()["stage"].toArray(), (QJsonArray{200, 60}));
    EXPECT_EQ(controls[2].toObject(), (QJsonObject{{"corner", "leftbottom"},
                                                   {"position", QJsonArray{1, 2}},
                                                   {"size", QJsonArray{3, 4}},
                                                   {"member", "swfcontrol1.swf"},
                                                   {"stage", QJsonArray{80, 80}}}));
    EXPECT_EQ(
        info["members"].toArray(),
        (QJsonArray{"TopPanelBKLeft.bmp", "TopPanelBKMid.bmp", "TopPanelBKRight.bmp", "small.bmp", "conf.ini",
                    "topright.png", "bottomleft.swf", "bottomright.swf", "swfcontrol1.swf"}));
}

TEST_F(CliTest, DefaultsCentreTheCropAndLeaveTheColourOut)
{
    const QString package = Path("plain.vsf");
    ASSERT_EQ(
        Cli({"build", "-o", package, "--picture", PatternPicture("wide.bmp", 1600, 500), "--name", "plain"})
            .exitCode,
        0);
    const QJsonObject info = Info(package);
    // 1600 wide is narrower than 700:61 at 500 high: the crop is 1600 x 139, kept at its own size.
    EXPECT_EQ(info["header"].toObject(), (QJsonObject{{"width", 1600}, {"height", 139}}));
    // Rows 180..318, the middle of the picture, whose rows differ in colour.
    ScratchDir unpacked;
    ASSERT_TRUE(UnzipAll(package, unpacked.path(), nullptr, false));
    const QImage header(unpacked.file("TopPanelBKMid.bmp"));
    const QImage picture(Path("wide.bmp"));
    EXPECT_EQ(header.pixel(0, 0), picture.pixel(0, 180));
    EXPECT_EQ(header.pixel(1599, 138), picture.pixel(1599, 318));
    EXPECT_TRUE(info["color"].isNull());
    EXPECT_EQ(info["hue"].toInt(), 0);
    EXPECT_TRUE(info["stretch"].isNull());
    EXPECT_FALSE(info["white"].toBool());
    EXPECT_EQ(info["decorations"].toArray(), QJsonArray());
    EXPECT_EQ(info["members"].toArray(), (QJsonArray{"TopPanelBKMid.bmp", "small.bmp", "conf.ini"}));
}

TEST_F(CliTest, ExistingOutputNeedsForce)
{
    const QString picture = Picture("p.bmp", 700, 61);
    const QString package = File("taken.vsf", "older");
    const CliRun refused = Cli({"build", "-o", package, "--picture", picture, "--name", "n"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("--force"));
    EXPECT_EQ(skintest::ReadAll(package), "older");
    EXPECT_EQ(Cli({"build", "-o", package, "--picture", picture, "--name", "n", "--force"}).exitCode, 0);
    EXPECT_NE(skintest::ReadAll(package), "older");
}

TEST_F(CliTest, ErrorsExitWithOne)
{
    const QString picture = Picture("p.bmp", 700, 61);
    const QString out = Path("e.vsf");
    const QStringList base = {"build", "-o", out, "--picture", picture, "--name", "n"};
    const QList<QStringList> failing = {
        {"build", "-o", out, "--picture", Path("missing.jpg"), "--name", "n"},
        {"build", "-o", out, "--picture", File("broken.jpg", "not a picture"), "--name", "n"},
        base + QStringList{"--crop", "0,0,701,61"},
        base + QStringList{"--crop", "10,0,10,61"},
        base + QStringList{"--stretch", "0,0,700,61"},
        base + QStringList{"--decoration", "middle=" + picture + "@1,2"},
        base + QStringList{"--decoration", "lefttop=" + Path("none.png") + "@1,2"},
        base + QStringList{"--control", "center=" + picture + "@1,2,3,4"},
        base + QStringList{"--control", "lefttop=" + File("fake.swf", "FWS\x09") + "@1,2,3,4"},
        base + QStringList{"--thumbnail", File("bad.png", "xx")},
        {"build", "-o", out, "--picture", picture, "--name", QString::fromUtf8("😀")},
        {"build", "-o", out, "--picture", picture, "--name", ""},
        {"info", Path("missing.vsf")},
        {"info", File("junk.vsf", "junk")},
        {"extract", Path("missing.vsf"), Path("dir")},
        {"suggest", "--picture", Path("missing.jpg")},
        {"suggest", "--picture", picture, "--crop", "0,0,701,61"},
        {"suggest", "--picture", Picture("tiny.png", 5, 5)},
    };
    for (const QStringList& arguments : failing) {
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty()) << arguments.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(CliTest, UsageMistakesExitWithTwo)
{
    const QString picture = Picture("p.bmp", 700, 61);
    const QList<QStringList> usage = {
        {},
        {"frobnicate"},
        {"build", "--picture", picture, "--name", "n"},
        {"build", "-o", "x.vsf", "--name", "n"},
        {"build", "-o", "x.vsf", "--picture", picture},
        {"build", "-o", "x.vsf", "--picture", picture, "--name", "n", "--crop", "1,2,3"},
        {"build", "-o", "x.vsf", "--picture", picture, "--name", "n", "--color", "red"},
        {"build", "-o", "x.vsf", "--picture", picture, "--name", "n", "--decoration", "lefttop=a.png@1,2,3"},
        {"build", "-o", "x.vsf", "--picture", picture, "--name", "n", "--control", "lefttop=a.swf@1,2,3"},
        {"build", "-o", "x.vsf", "--picture", picture, "--name", "n", "--bogus"},
        {"build", "-o", "x.vsf", "--picture", picture, "--name", "n", "--name", "m"},
        {"build", "-o"},
        {"info"},
        {"info", "a.vsf", "b.vsf"},
        {"extract", "a.vsf"},
        {"suggest"},
        {"suggest", "--picture", picture, "--crop", "1,2"},
        {"suggest", "--picture", picture, "--color", "auto"},
        {"thumbnail", "a.vsf", "o.png"},
        {"thumbnail", "a.vsf", "o.png", "--size", "0"},
        {"thumbnail", "a.vsf", "--size", "64"},
    };
    for (const QStringList& arguments : usage) {
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
    }
    EXPECT_FALSE(QFile::exists("x.vsf"));
}

TEST_F(CliTest, HelpDocumentsEveryCommandAndOption)
{
    const CliRun run = Cli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* word : {"build",
                             "info",
                             "extract",
                             "suggest",
                             "auto",
                             "--picture",
                             "--name",
                             "--crop",
                             "--stretch",
                             "--tile",
                             "--color",
                             "--white-tabs",
                             "--thumbnail",
                             "--decoration",
                             "--control",
                             "--force",
                             "lefttop",
                             "rightbottom",
                             "edit",
                             "--move-decoration",
                             "--remove-decoration",
                             "--move-control",
                             "--remove-control",
                             "--no-tile",
                             "--black-tabs",
                             "none"})
        EXPECT_TRUE(run.out.contains(word)) << word;
    EXPECT_EQ(Cli({"build", "--help"}).exitCode, 0);
    // One language: Chinese, the program's own, in the help and in every message.
    EXPECT_TRUE(QString::fromUtf8(run.out).contains(QString::fromUtf8("用法")));
    EXPECT_TRUE(QString::fromUtf8(Cli({"frobnicate"}).err).contains(QString::fromUtf8("未知的命令")));
}

TEST_F(CliTest, SuggestPrintsTheCropsColoursAndColorAutoTakesTheFirst)
{
    // Left 60 % green, then orange; only the crop's part counts.
    QImage image(1000, 200, QImage::Format_RGB32);
    image.fill(qRgb(230, 140, 40));
    for (int y = 0; y < 200; ++y)
        std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), 600, qRgb(60, 160, 70));
    const QString picture = Path("two.png");
    ASSERT_TRUE(image.save(picture));

    const CliRun whole = Cli({"suggest", "--picture", picture});
    ASSERT_EQ(whole.exitCode, 0) << whole.err.toStdString();
    const QJsonArray both = QJsonDocument::fromJson(whole.out).array();
    ASSERT_EQ(both.size(), 2);
    EXPECT_EQ(both[0].toObject()["color"], "#3CA046");
    EXPECT_EQ(both[0].toObject()["hue"], 126);
    EXPECT_NEAR(both[0].toObject()["share"].toDouble(), 0.6, 0.005); // the border's samples are mixed
    EXPECT_EQ(both[1].toObject()["color"], "#E68C28");

    const CliRun right = Cli({"suggest", "--picture", picture, "--crop=700,50,950,72"});
    ASSERT_EQ(right.exitCode, 0) << right.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(right.out).array(),
              (QJsonArray{QJsonObject{{"color", "#E68C28"}, {"share", 1.0}, {"hue", 32}}}));

    // auto gives the package what an explicit --color of the first suggestion gives.
    const QStringList base = {"build", "--picture", picture, "--name", "a", "--crop", "700,50,950,72"};
    ASSERT_EQ(Cli(base + QStringList{"-o", Path("auto.vsf"), "--color", "auto"}).exitCode, 0);
    ASSERT_EQ(Cli(base + QStringList{"-o", Path("given.vsf"), "--color", "#E68C28"}).exitCode, 0);
    QJsonObject automatic = Info(Path("auto.vsf"));
    QJsonObject given = Info(Path("given.vsf"));
    automatic.remove("name"); // the package's file name
    given.remove("name");
    EXPECT_EQ(automatic, given);
    EXPECT_NE(automatic["color"], QJsonValue::Null);

    // A crop with nothing opaque in it suggests nothing; auto is then an error, not "no colour".
    QImage clear(700, 61, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    ASSERT_TRUE(clear.save(Path("clear.png")));
    EXPECT_EQ(QJsonDocument::fromJson(Cli({"suggest", "--picture", Path("clear.png")}).out).array(),
              QJsonArray());
    const CliRun refused = Cli(
        {"build", "-o", Path("clear.vsf"), "--picture", Path("clear.png"), "--name", "c", "--color", "auto"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("不透明")) << refused.err.toStdString();
}

TEST_F(CliTest, ExtractUnpacksEveryMember)
{
    const QString package = Path("x.vsf");
    ASSERT_EQ(Cli({"build", "-o", package, "--picture", Picture("p.bmp", 700, 61), "--name", "x"}).exitCode,
              0);
    const QString folder = Path("out/deeper");
    const CliRun run = Cli({"extract", package, folder});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "TopPanelBKMid.bmp\nsmall.bmp\nconf.ini\n");
    EXPECT_TRUE(QFile::exists(folder + "/conf.ini"));
    // A file where the folder should be is not replaced.
    const QString file = File("plainfile", "keep");
    EXPECT_EQ(Cli({"extract", package, file}).exitCode, 1);
    EXPECT_EQ(skintest::ReadAll(file), "keep");
}

// Edges near the 32-bit limits: widths are exact, so a reversed rectangle is empty and a vast
// one is outside the picture (the sanitizer build would stop at any overflow).
TEST_F(CliTest, ExtremeRectanglesAreRefusedByWhatTheyAre)
{
    const QStringList base = {"build",  "-o", Path("x.vsf"), "--picture", Picture("p.bmp", 700, 61),
                              "--name", "n"};
    const QList<std::pair<QStringList, QByteArray>> cases = {
        {{"--crop", "2147483647,0,-2147483648,1"}, "为空"},
        {{"--crop", "0,2147483647,700,-2147483648"}, "为空"},
        {{"--crop", "-2147483648,-2147483648,2147483647,2147483647"}, "不在"},
        {{"--stretch", "2147483647,0,-2147483648,61"}, "必须是"},
        {{"--stretch", "-2147483648,0,2147483647,61"}, "必须是"},
    };
    for (const auto& [options, message] : cases) {
        const CliRun run = Cli(base + options);
        EXPECT_EQ(run.exitCode, 1) << options.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path("x.vsf")));
}

// The archive reader's seeds: five directory entries sharing one record, and a record that runs
// into the next one. Extracting them stops with a message and writes nothing.
TEST_F(CliTest, ExtractRefusesMembersThatShareBytes)
{
    for (const char* seed : {"bomb.zip", "overlap.zip"}) {
        const QString folder = Path(QString("out-") + seed);
        const CliRun run =
            Cli({"extract", QStringLiteral(SKIN_SOURCE_DIR "/fuzz/corpus/unzip/") + seed, folder});
        EXPECT_EQ(run.exitCode, 1) << seed;
        EXPECT_TRUE(run.err.contains("共用同一段数据")) << run.err.toStdString();
        EXPECT_TRUE(QDir(folder).isEmpty()) << seed;
    }
}

TEST_F(CliTest, SampleSkinOfTheHeadlessRunRoundTrips)
{
    const QString sample = QStringLiteral(SKIN_SOURCE_DIR "/res/sample/sample.jpg");
    if (!QFile::exists(sample))
        GTEST_SKIP() << "no sample picture in this checkout";
    const QString package = Path("sample.vsf");
    const CliRun build =
        Cli({"build", "-o", package, "--picture", sample, "--name", QString::fromUtf8("示例皮肤"), "--crop",
             "0,180,1600,319", "--stretch", "300,180,900,319", "--color", "#2E7BCF", "--white-tabs"});
    ASSERT_EQ(build.exitCode, 0) << build.err.toStdString();
    const QJsonObject info = Info(package);
    EXPECT_EQ(info["showname"].toString(), QString::fromUtf8("示例皮肤"));
    EXPECT_EQ(info["name"].toString(), "sample");
    // 61/139 of 300, 600 and 700 pixels, each rounded on its own.
    EXPECT_EQ(info["stretch"].toArray(), (QJsonArray{132, 0, 395, 61}));
    EXPECT_EQ(info["header"].toObject(), (QJsonObject{{"width", 702}, {"height", 61}}));
    EXPECT_EQ(info["color"].toString(), "#2D7BD1");
    EXPECT_TRUE(info["white"].toBool());
}

TEST_F(CliTest, ThumbnailIsThePackagesOwnScaledToFit)
{
    const QString package = Path("t.vsf");
    ASSERT_EQ(Cli({"build", "-o", package, "--picture", Picture("p.bmp", 700, 61), "--name", "t",
                   "--thumbnail", Picture("thumb.png", 120, 74)})
                  .exitCode,
              0);
    const QString png = Path("t.png");
    const CliRun run = Cli({"thumbnail", package, png, "--size", "128"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QImage image;
    ASSERT_TRUE(image.load(png, "PNG"));
    // small.bmp is 60 x 37: the longer side takes the size.
    EXPECT_EQ(image.width(), 128);
    EXPECT_NEAR(image.height(), 79, 1);
    EXPECT_EQ(image.pixelColor(64, 40), QColor(200, 120, 40));
    EXPECT_EQ(Cli({"thumbnail", package, png, "--size=16"}).exitCode, 0);
    ASSERT_TRUE(image.load(png, "PNG"));
    EXPECT_EQ(image.width(), 16);

    // Not a package, a package without a thumbnail, a thumbnail far larger than any real one.
    EXPECT_EQ(Cli({"thumbnail", File("not.vsf", "plain text"), png, "--size", "64"}).exitCode, 1);
    const QString bare = Path("bare.vsf");
    ASSERT_TRUE(ZipPackFiles({File("conf.ini", "[x]\n")}, bare));
    EXPECT_EQ(Cli({"thumbnail", bare, png, "--size", "64"}).exitCode, 1);
    const QString huge = Path("huge.vsf");
    ASSERT_TRUE(ZipPackFiles({File("small.bmp", QByteArray(2 * 1024 * 1024, 'B'))}, huge));
    const CliRun refused = Cli({"thumbnail", huge, png, "--size", "64"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("过大")) << refused.err.toStdString();
}

TEST_F(CliTest, VersionIsPrinted)
{
    const CliRun run = Cli({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(
        QRegularExpression("^skinmaker-cli \\d+\\.\\d+\n$").match(QString::fromUtf8(run.out)).hasMatch())
        << run.out.toStdString();
}
