#include "skin/PlayerLookup.h"
#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using skintest::ScratchDir;
using skintest::WriteAll;

namespace {

// Points the registry stand-in at a scratch file for the life of the object.
class RegistryFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = qgetenv("VDMUSIC_REGISTRY");
        m_hadValue = qEnvironmentVariableIsSet("VDMUSIC_REGISTRY");
        qputenv("VDMUSIC_REGISTRY", m_dir.file("registry.ini").toUtf8());
    }
    void TearDown() override
    {
        if (m_hadValue)
            qputenv("VDMUSIC_REGISTRY", m_saved);
        else
            qunsetenv("VDMUSIC_REGISTRY");
    }
    QString Home() const { return m_dir.file("player"); }
    void WriteRegistry(const QByteArray& text) { ASSERT_TRUE(WriteAll(m_dir.file("registry.ini"), text)); }
    void WriteVersionFile(const QByteArray& text)
    {
        ASSERT_TRUE(QDir().mkpath(Home() + "/face"));
        ASSERT_TRUE(WriteAll(Home() + "/face/vdc.img", text));
    }
    void InstallPlayer(const QByteArray& version)
    {
        WriteRegistry("[VDMUSIC]\r\nVDMUSIC_HOME=" + Home().toUtf8() + "\r\n");
        WriteVersionFile("[Config]\r\nVersion=" + version + "\r\n");
    }

    ScratchDir m_dir;

private:
    QByteArray m_saved;
    bool m_hadValue = false;
};

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

TEST_F(RegistryFixture, ReadyPlayerForEveryAcceptedVersion)
{
    for (const char* version : {"MUSIC_2.6.7.1", "MUSIC_2.6.8.0", "MUSIC_3"}) {
        InstallPlayer(version);
        const PlayerCheck check = CheckPlayer();
        EXPECT_EQ(check.status, PlayerStatus::Ready) << version;
        EXPECT_EQ(check.home, Home());
        EXPECT_EQ(check.version, QByteArray(version));
        EXPECT_EQ(check.program(), Home() + "/VdMusic.exe");
    }
}

TEST_F(RegistryFixture, QuotedVersionReadsWithoutItsQuotes)
{
    InstallPlayer("\"MUSIC_2.6.7.1\"");
    const PlayerCheck check = CheckPlayer();
    EXPECT_EQ(check.status, PlayerStatus::Ready);
    EXPECT_EQ(check.version, QByteArray("MUSIC_2.6.7.1"));
}

TEST_F(RegistryFixture, TooOldPlayers)
{
    for (const char* version : {"MUSIC_2.6.7", "MUSIC_2.6.10.0", "MUSIC_1"}) {
        InstallPlayer(version);
        EXPECT_EQ(CheckPlayer().status, PlayerStatus::TooOld) << version;
    }
}

TEST_F(RegistryFixture, NotInstalledWithoutKeyFolderOrVersion)
{
    // No stand-in file at all.
    EXPECT_FALSE(ReadPlayerHome().has_value());
    EXPECT_EQ(CheckPlayer().status, PlayerStatus::NotInstalled);

    // Names match without regard to case.
    WriteRegistry("[vdmusic]\r\nvdmusic_home = /opt/player\r\n");
    EXPECT_EQ(ReadPlayerHome(), QString("/opt/player"));

    // A file without the player's section.
    WriteRegistry("[OTHER]\nVDMUSIC_HOME=/x\n");
    EXPECT_FALSE(ReadPlayerHome().has_value());

    // The key without its value: an empty folder, which has no version file.
    WriteRegistry("[VDMUSIC]\n");
    ASSERT_TRUE(ReadPlayerHome().has_value());
    EXPECT_TRUE(ReadPlayerHome()->isEmpty());
    EXPECT_EQ(CheckPlayer().status, PlayerStatus::NotInstalled);

    // A folder whose version file is missing, or lacks the key, or has an empty one.
    WriteRegistry("[VDMUSIC]\nVDMUSIC_HOME=" + Home().toUtf8() + "\n");
    EXPECT_EQ(CheckPlayer().status, PlayerStatus::NotInstalled);
    WriteVersionFile("[Config]\nBuild=12\n");
    EXPECT_EQ(CheckPlayer().status, PlayerStatus::NotInstalled);
    WriteVersionFile("[Config]\nVersion=\n");
    EXPECT_EQ(CheckPlayer().status, PlayerStatus::NotInstalled);
    EXPECT_EQ(CheckPlayer().home, Home());
}

TEST_F(RegistryFixture, OverlongFolderValueReadsAsEmpty)
{
    WriteRegistry("[VDMUSIC]\nVDMUSIC_HOME=/" + QByteArray(511, 'a') + "\n");
    ASSERT_TRUE(ReadPlayerHome().has_value());
    EXPECT_TRUE(ReadPlayerHome()->isEmpty());
    WriteRegistry("[VDMUSIC]\nVDMUSIC_HOME=/" + QByteArray(510, 'a') + "\n");
    EXPECT_EQ(ReadPlayerHome()->size(), 511);
}

TEST_F(RegistryFixture, DefaultsToTheMachineWideFile)
{
    qunsetenv("VDMUSIC_REGISTRY");
    EXPECT_EQ(PlayerRegistryFile(), "/etc/vdmusic/registry.ini");
}
