// skinmaker-cli in English: every message the user reads, while what it writes for scripts and
// players (packages, info's JSON) stays the same in both languages.
#include "CliFixture.h"
#include "support/LocaleVariables.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

namespace {

bool HasChinese(const QByteArray& text)
{
    static const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return QString::fromUtf8(text).contains(cjk);
}

} // namespace

TEST_F(CliTest, EnglishMessagesHaveNoChineseLeft)
{
    const LocaleVariables restore;
    LocaleVariables::Set({}, "zh_CN.UTF-8");
    const QString picture = Picture("p.png", 700, 61);
    const QString notPackage = File("broken.vsf", "not a zip");
    const QString deco = File("deco.png", "not a png");
    const QList<QStringList> runs = {
        {"--help"},
        {},
        {"frobnicate"},
        {"build", "-o", Path("x.vsf"), "--picture", picture},
        {"build", "-o", Path("x.vsf"), "--picture", picture, "--name", "n", "--crop", "1,2,3"},
        {"build", "-o", Path("x.vsf"), "--picture", Path("missing.png"), "--name", "n"},
        {"build", "-o", Path("x.vsf"), "--picture", picture, "--name", QString(300, 'n')},
        {"build", "-o", Path("x.vsf"), "--picture", picture, "--name", "n", "--decoration",
         "lefttop=" + deco},
        {"build", "-o", Path("x.vsf"), "--picture", picture, "--name", "n", "--decoration", "middle=" + deco},
        {"extract", notPackage, Path("out")},
        {"thumbnail", notPackage, Path("t.png"), "--size", "64"},
        {"render", notPackage, Path("r.png")},
        {"info", notPackage},
    };
    for (const QStringList& arguments : runs) {
        const CliRun english = Cli(QStringList{"--lang", "en"} + arguments);
        const CliRun chinese = Cli(arguments);
        const std::string line = arguments.join(' ').toStdString();
        EXPECT_EQ(english.exitCode, chinese.exitCode) << line;
        EXPECT_FALSE(english.out.isEmpty() && english.err.isEmpty()) << line;
        EXPECT_FALSE(HasChinese(english.out) || HasChinese(english.err))
            << line << "\n"
            << english.out.toStdString() << english.err.toStdString();
        EXPECT_TRUE(HasChinese(chinese.out) || HasChinese(chinese.err)) << line;
    }
    // The locale decides without the option, and the option wins over it.
    LocaleVariables::Set({}, "en_US.UTF-8");
    EXPECT_TRUE(Cli({"--help"}).out.startsWith("Usage:"));
    EXPECT_TRUE(HasChinese(Cli({"frobnicate", "--lang=zh"}).err));
    const CliRun bad = Cli({"--lang", "fr", "--help"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains("fr") && !HasChinese(bad.err)) << bad.err.toStdString();
}

TEST_F(CliTest, PackagesAndInfoAreTheSameInBothLanguages)
{
    const QString picture = PatternPicture("photo.png", 1600, 500);
    const QString deco = Picture("deco.png", 40, 30);
    const QString swf = QStringLiteral(SKIN_SOURCE_DIR "/res/flash/clock.swf");
    // Every member's name and bytes (the archive's times are the build's), and info's JSON.
    QMap<QString, QByteArray> members[2];
    QByteArray infos[2];
    const char* languages[] = {"zh", "en"};
    for (int i = 0; i < 2; ++i) {
        // conf.ini names the skin after its file, so both builds write the same file name.
        const QString package = Path(QStringLiteral("%1/skin.vsf").arg(languages[i]));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(package).path()));
        const CliRun build = Cli(QStringList{"--lang", languages[i], "build", "-o", package, "--picture",
                                             picture, "--name", QString::fromUtf8("日落"), "--decoration",
                                             "lefttop=" + deco, "--control", "rightbottom=" + swf} +
                                 LookOptions());
        ASSERT_EQ(build.exitCode, 0) << build.err.toStdString();
        const QString folder = Path(QStringLiteral("%1/extracted").arg(languages[i]));
        ASSERT_EQ(Cli({"extract", package, folder, "--lang", languages[i]}).exitCode, 0);
        for (const QString& name : QDir(folder).entryList(QDir::Files))
            members[i].insert(name, skintest::ReadAll(folder + '/' + name));
        const CliRun info = Cli({"info", package, "--lang", languages[i]});
        ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
        infos[i] = info.out;
    }
    EXPECT_EQ(members[0].size(), 7);
    EXPECT_TRUE(members[0] == members[1]);
    EXPECT_EQ(infos[0], infos[1]);
}
