#include "skin/PlayerLookup.h"
#include "skin/PlayerLookupWine.h"
#include "skin/WinePrefixFixture.h"
#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using skintest::FakeWinePrefix;
using skintest::ScratchDir;
using skintest::WriteAll;

namespace {

// The key as "wine reg add /reg:32" writes it into a 64-bit prefix, with a Chinese folder name.
const QByteArray kChineseKey32 = R"([Software\\Wow6432Node\\VDMUSIC] 1796808600
#time=1dd87bfdce7c3b0
"VDMUSIC_HOME"="C:\\Program Files\\Vadi\x97f3\x4e50\x76d2\\"
)";
const QString kChineseHome = QStringLiteral("C:\\Program Files\\Vadi音乐盒\\");

QByteArray PlainKey(const QByteArray& home)
{
    return "[Software\\\\VDMUSIC] 1700000000\n\"VDMUSIC_HOME\"=\"" + home + "\"\n\n";
}

class WinePlayer : public ::testing::Test {
protected:
    // The player in C:\Player with the given version, under the native key.
    void InstallPlayer(const QByteArray& version)
    {
        ASSERT_TRUE(wine.WriteRegistry(PlainKey("C:\\\\Player\\\\")));
        ASSERT_TRUE(wine.MakePlayerFolder("Player", version));
    }

    ScratchDir m_dir;
    FakeWinePrefix wine{m_dir.path()};
};

std::optional<QString> Decode(const QByteArray& text)
{
    qsizetype pos = 0;
    return DecodeWineText(text, pos, '"');
}

} // namespace

TEST(PlayerVersion, ComparesBytewiseWithPrefixesFirst)
{
    EXPECT_EQ(CompareVersionText("MUSIC_2.6.7.1", "MUSIC_2.6.7.1"), 0);
    EXPECT_LT(CompareVersionText("MUSIC_2.6.7", "MUSIC_2.6.7.1"), 0);
    EXPECT_GT(CompareVersionText("MUSIC_2.6.7.1", "MUSIC_2.6.7"), 0);
    EXPECT_LT(CompareVersionText("", "A"), 0);
    // Unsigned: a byte above 0x7F sorts after every ASCII byte.
    EXPECT_GT(CompareVersionText("MUSIC_\xE4", "MUSIC_9"), 0);
}

TEST(PlayerVersion, AcceptsOnlyVersionsFromTheFirstSkinnableOne)
{
    EXPECT_TRUE(SupportsSkins("MUSIC_2.6.7.1"));
    EXPECT_TRUE(SupportsSkins("MUSIC_2.6.8.0"));
    EXPECT_TRUE(SupportsSkins("MUSIC_3"));
    EXPECT_TRUE(SupportsSkins("MUSIC_2.6.7.10"));
    EXPECT_FALSE(SupportsSkins("MUSIC_2.6.7"));
    // Textual: "1" sorts before "7".
    EXPECT_FALSE(SupportsSkins("MUSIC_2.6.10.0"));
}

TEST(WineRegistryText, DecodesWinesEscapes)
{
    EXPECT_EQ(Decode(R"(C:\\Program Files\\Vadi\x97f3\x4e50\x76d2\\")"),
              QStringLiteral("C:\\Program Files\\Vadi音乐盒\\"));
    // \x takes at most four digits; Wine pads to four when a hex digit follows.
    EXPECT_EQ(Decode(R"(\x97f3abc")"), QStringLiteral("音abc"));
    EXPECT_EQ(Decode(R"(\xe9t\x00e9")"), QStringLiteral("été"));
    // A character outside the basic plane is two escaped UTF-16 units.
    EXPECT_EQ(Decode(R"(\xd83c\xdfb5")"), QStringLiteral("🎵"));
    EXPECT_EQ(Decode(R"(say \"hi\"\t\n\0001\101")"), QString("say \"hi\"\t\n") + QChar(0) + "1A");
    EXPECT_EQ(Decode(R"(\xg")"), QStringLiteral("xg"));
    // Key names end at an unescaped "]", and reading goes on after it.
    const QByteArray section = R"(Software\\A\]B] 123)";
    qsizetype pos = 0;
    EXPECT_EQ(DecodeWineText(section, pos, ']'), QStringLiteral("Software\\A]B"));
    EXPECT_EQ(pos, section.indexOf(" 123"));
    EXPECT_FALSE(Decode(R"(no end\")").has_value());
}

TEST(WineRegistryText, FindsTheFirstExistingKeyAndItsStringValue)
{
    const QStringList keys{"Software\\Wow6432Node\\VDMUSIC", "Software\\VDMUSIC"};
    const auto read = [&keys](const QByteArray& text) {
        return ReadWineRegistryString(text, keys, "VDMUSIC_HOME");
    };
    EXPECT_EQ(read(kChineseKey32), kChineseHome);
    // The 32-bit view wins over the native key, wherever it is in the file.
    EXPECT_EQ(read(PlainKey("C:\\\\Native") + kChineseKey32), kChineseHome);
    EXPECT_EQ(read(PlainKey("C:\\\\Native")), QStringLiteral("C:\\Native"));
    // Names match without regard to case; REG_EXPAND_SZ counts, CR LF line ends too.
    EXPECT_EQ(read("[software\\\\vdmusic] 1\r\n\"vdmusic_home\"=str(2):\"D:\\\\x\"\r\n"),
              QStringLiteral("D:\\x"));
    // A key that only has subkeys exists; a value of another type reads as empty.
    EXPECT_EQ(read("[Software\\\\VDMUSIC\\\\Skins] 1\n\"VDMUSIC_HOME\"=\"C:\\\\no\"\n"), QString());
    EXPECT_EQ(read("[Software\\\\VDMUSIC] 1\n\"VDMUSIC_HOME\"=dword:00000001\n"), QString());
    EXPECT_EQ(read("[Software\\\\VDMUSIC] 1\n\"VDMUSIC_HOMEDIR\"=\"C:\\\\x\"\n"), QString());
    // Neither key, nor a key that merely starts like it.
    EXPECT_FALSE(read("[Software\\\\VDMUSICX] 1\n\"VDMUSIC_HOME\"=\"C:\\\\x\"\n").has_value());
    EXPECT_FALSE(read("").has_value());
}

TEST_F(WinePlayer, MapsWindowsFoldersThroughTheDrivesIgnoringCase)
{
    ASSERT_TRUE(QDir().mkpath(wine.DriveC() + "/program files/Vadi音乐盒"));
    const QString c = wine.Prefix() + "/dosdevices/c:";
    const QString folder = c + "/program files/Vadi音乐盒";
    EXPECT_EQ(WineLocalPath(wine.Prefix(), kChineseHome), folder);
    EXPECT_EQ(WineLocalPath(wine.Prefix(), "c:/PROGRAM FILES/vadi音乐盒"), folder);
    EXPECT_EQ(WineLocalPath(wine.Prefix(), "C:\\Windows\\..\\.\\Program Files\\Vadi音乐盒"), folder);
    EXPECT_EQ(WineLocalPath(wine.Prefix(), "\\\\?\\C:\\Program Files"), c + "/program files");
    for (const char* unmapped : {"D:\\Player", "C:\\Missing", "Player", "\\\\server\\share", "C:Player", ""})
        EXPECT_TRUE(WineLocalPath(wine.Prefix(), unmapped).isEmpty()) << unmapped;

    EXPECT_EQ(WineWindowsPath("/tmp/skinmaker-0/试用 1.vsf"),
              QStringLiteral("Z:\\tmp\\skinmaker-0\\试用 1.vsf"));
}

TEST_F(WinePlayer, ChineseFolderInThe32BitViewIsReady)
{
    ASSERT_TRUE(wine.WriteRegistry(kChineseKey32));
    // Names on disk spelt otherwise than Windows spells them.
    ASSERT_TRUE(
        wine.MakePlayerFolder("PROGRAM FILES/vadi音乐盒", "MUSIC_2.6.7.1", "Face", "VDC.IMG", "vdmusic.exe"));
    const PlayerCheck check = CheckPlayer();
    EXPECT_EQ(check.status, PlayerStatus::Ready);
    EXPECT_EQ(check.home, kChineseHome);
    EXPECT_EQ(check.folder, wine.Prefix() + "/dosdevices/c:/PROGRAM FILES/vadi音乐盒");
    EXPECT_EQ(check.version, QByteArray("MUSIC_2.6.7.1"));
    EXPECT_EQ(check.program(), QStringLiteral("C:\\Program Files\\Vadi音乐盒\\VdMusic.exe"));

    // Started in the same prefix through cmd, which gets the exact command line.
    const QString package = m_dir.file("try out/试用.vsf");
    const StartResult started = StartPlayer(check, package);
    ASSERT_TRUE(started.ok) << started.error.toStdString();
    const QString windowsPackage = "Z:" + QString(package).replace('/', '\\');
    EXPECT_EQ(wine.WaitForRecord(),
              (QStringList{wine.Prefix(), "cmd", "/c", "%SKINMAKER_PLAYER_COMMAND%",
                           "\"C:\\Program Files\\Vadi音乐盒\\VdMusic.exe\" \"" + windowsPackage + "\""}));
}

TEST_F(WinePlayer, ReadyPlayerForEveryAcceptedVersion)
{
    for (const char* version : {"MUSIC_2.6.7.1", "MUSIC_2.6.8.0", "MUSIC_3", "\"MUSIC_3\""}) {
        InstallPlayer(version);
        const PlayerCheck check = CheckPlayer();
        EXPECT_EQ(check.status, PlayerStatus::Ready) << version;
        EXPECT_EQ(check.home, QStringLiteral("C:\\Player\\"));
        EXPECT_EQ(check.folder, wine.Prefix() + "/dosdevices/c:/Player");
        EXPECT_EQ(check.program(), QStringLiteral("C:\\Player\\VdMusic.exe"));
    }
    // The quotes around a version are not part of it.
    EXPECT_EQ(CheckPlayer().version, QByteArray("MUSIC_3"));
}

TEST_F(WinePlayer, TooOldPlayers)
{
    for (const char* version : {"MUSIC_2.6.7", "MUSIC_2.6.10.0", "MUSIC_1"}) {
        InstallPlayer(version);
        EXPECT_EQ(CheckPlayer().status, PlayerStatus::TooOld) << version;
    }
}

TEST_F(WinePlayer, NotInstalledWithoutKeyFolderOrVersion)
{
    // No registry file at all, then one without the key.
    EXPECT_FALSE(ReadPlayerHome().has_value());
    EXPECT_EQ(CheckPlayer().status, PlayerStatus::NotInstalled);
    ASSERT_TRUE(wine.WriteRegistry("[Software\\\\Other] 1\n\"VDMUSIC_HOME\"=\"C:\\\\Player\"\n"));
    EXPECT_FALSE(ReadPlayerHome().has_value());

    // The key without its value: an empty folder, which has no version file.
    ASSERT_TRUE(wine.WriteRegistry("[Software\\\\VDMUSIC] 1\n"));
    ASSERT_TRUE(ReadPlayerHome().has_value());
    EXPECT_TRUE(ReadPlayerHome()->isEmpty());
    EXPECT_EQ(CheckPlayer().status, PlayerStatus::NotInstalled);

    // A folder that is not there, or whose version file is missing, lacks the key or has it empty.
    ASSERT_TRUE(wine.WriteRegistry(PlainKey("C:\\\\Player")));
    EXPECT_EQ(CheckPlayer().status, PlayerStatus::NotInstalled);
    EXPECT_TRUE(CheckPlayer().folder.isEmpty());
    ASSERT_TRUE(QDir().mkpath(wine.DriveC() + "/Player/face"));
    EXPECT_EQ(CheckPlayer().status, PlayerStatus::NotInstalled);
    ASSERT_TRUE(WriteAll(wine.DriveC() + "/Player/face/vdc.img", "[Config]\nBuild=12\n"));
    EXPECT_EQ(CheckPlayer().status, PlayerStatus::NotInstalled);
    ASSERT_TRUE(WriteAll(wine.DriveC() + "/Player/face/vdc.img", "[Config]\nVersion=\n"));
    EXPECT_EQ(CheckPlayer().status, PlayerStatus::NotInstalled);
    EXPECT_EQ(CheckPlayer().home, QStringLiteral("C:\\Player"));
}

TEST_F(WinePlayer, OverlongFolderValueReadsAsEmpty)
{
    // 512 bytes of GBK do not fit the player's buffer with its terminator; 511 do.
    ASSERT_TRUE(wine.WriteRegistry(PlainKey("C:\\\\" + QByteArray(509, 'a'))));
    EXPECT_TRUE(ReadPlayerHome()->isEmpty());
    ASSERT_TRUE(wine.WriteRegistry(PlainKey("C:\\\\" + QByteArray(508, 'a'))));
    EXPECT_EQ(ReadPlayerHome()->size(), 511);
    // A Chinese character takes two bytes there.
    ASSERT_TRUE(wine.WriteRegistry(PlainKey("C:\\\\" + QByteArray(506, 'a') + "\\x97f3")));
    EXPECT_EQ(ReadPlayerHome()->size(), 510);
    ASSERT_TRUE(wine.WriteRegistry(PlainKey("C:\\\\" + QByteArray(507, 'a') + "\\x97f3")));
    EXPECT_TRUE(ReadPlayerHome()->isEmpty());
}

TEST_F(WinePlayer, PrefixDefaultsToDotWineInTheHomeFolder)
{
    EXPECT_EQ(WinePrefix(), wine.Prefix());
    skintest::ScopedEnv unset("WINEPREFIX", {}, true);
    EXPECT_EQ(WinePrefix(), QDir::homePath() + "/.wine");
}

TEST_F(WinePlayer, StartFailuresAreExplained)
{
    InstallPlayer("MUSIC_3");
    const PlayerCheck ready = CheckPlayer();
    ASSERT_EQ(ready.status, PlayerStatus::Ready);

    // Without VdMusic.exe in the folder nothing is started.
    ASSERT_TRUE(QFile::remove(wine.DriveC() + "/Player/VdMusic.exe"));
    StartResult started = StartPlayer(ready, m_dir.file("skin.vsf"));
    EXPECT_FALSE(started.ok);
    EXPECT_EQ(started.error, QStringLiteral("无法启动音乐盒：C:\\Player\\VdMusic.exe"));

    // Without wine on PATH the user is told to install it.
    wine.RemoveWine();
    started = StartPlayer(ready, m_dir.file("skin.vsf"));
    EXPECT_FALSE(started.ok);
    EXPECT_TRUE(started.error.startsWith(QStringLiteral("未找到 Wine，无法启动音乐盒。")));
    EXPECT_FALSE(QFile::exists(wine.RecordFile()));
}
