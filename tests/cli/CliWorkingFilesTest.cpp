// What skinmaker-cli leaves on disk: nothing of its working folders once a command has ended,
// leftovers of a run that died removed by the next one, and nothing at all from info.
#include "cli/CliFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Every file (not folder) below folder, relative to it.
QStringList FilesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    return files;
}

// Every entry, files and folders, below folder.
QStringList EntriesBelow(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << QDir(folder).relativeFilePath(it.next());
    return entries;
}

} // namespace

class CliWorkingFiles : public CliTest {
protected:
    QString Base() const { return m_temp.path() + "/skinmaker-" + QString::number(::geteuid()); }
    // A package with a decoration and a control, so that an open unpacks files.
    QString Package()
    {
        const QString package = Path("skin.vsf");
        const CliRun build =
            Cli({"build", "-o", package, "--picture", Picture("photo.png", 1400, 200), "--name", "skin",
                 "--decoration", "lefttop=" + File("deco.png", skintest::PngPicture(30, 20)), "--control",
                 "rightbottom=" + QStringLiteral(SKIN_SOURCE_DIR "/res/flash/clock.swf")});
        EXPECT_EQ(build.exitCode, 0) << build.err.toStdString();
        return package;
    }
};

TEST_F(CliWorkingFiles, EveryCommandLeavesNoWorkingFilesBehind)
{
    const QString package = Package();
    EXPECT_EQ(FilesBelow(m_temp.path()), QStringList());
    const QStringList commands[] = {
        {"edit", package, "-o", Path("edited.vsf")},
        {"render", package, Path("view.png")},
        {"info", package},
        {"thumbnail", package, Path("thumb.png"), "--size", "64"},
    };
    for (const QStringList& command : commands) {
        const CliRun run = Cli(command);
        EXPECT_EQ(run.exitCode, 0) << command.first().toStdString() << ": " << run.err.toStdString();
        EXPECT_EQ(FilesBelow(m_temp.path()), QStringList()) << command.first().toStdString();
        EXPECT_FALSE(QFileInfo::exists(Base() + "/VadiTempSkinPack")) << command.first().toStdString();
        EXPECT_FALSE(QFileInfo::exists(Base() + "/VadiSkinMaker")) << command.first().toStdString();
    }
}

TEST_F(CliWorkingFiles, InfoWritesNothingAnywhere)
{
    const QString package = Package();
    skintest::ScratchDir home;
    const QStringList folders{"tmp", "home", "cache", "config", "data", "state", "runtime"};
    for (const QString& folder : folders)
        ASSERT_TRUE(QDir(home.path()).mkpath(folder));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", home.file("tmp"));
    environment.insert("HOME", home.file("home"));
    environment.insert("XDG_CACHE_HOME", home.file("cache"));
    environment.insert("XDG_CONFIG_HOME", home.file("config"));
    environment.insert("XDG_DATA_HOME", home.file("data"));
    environment.insert("XDG_STATE_HOME", home.file("state"));
    environment.insert("XDG_RUNTIME_DIR", home.file("runtime"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(home.path());
    process.start(QStringLiteral(SKIN_BINARY_DIR "/skinmaker-cli"), {"info", package});
    ASSERT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(process.readAllStandardOutput().contains("\"stage\""));
    QStringList expected = folders;
    expected.sort();
    QStringList found = EntriesBelow(home.path());
    found.sort();
    EXPECT_EQ(found, expected);
}

TEST_F(CliWorkingFiles, LeftoversGoOnceNoOtherRunLives)
{
    const QString package = Package();
    const QString leftover = Base() + "/VadiTempSkinPack/old.vsf/topleft.png";
    ASSERT_TRUE(QDir().mkpath(Base() + "/VadiTempSkinPack/old.vsf"));
    ASSERT_TRUE(QDir().mkpath(Base() + "/sessions"));
    ASSERT_TRUE(skintest::WriteAll(leftover, "left by a run that died"));
    // The lock of a run that has ended without removing it: a file nobody holds.
    ASSERT_TRUE(skintest::WriteAll(Base() + "/sessions/999999.lock", {}));
    // A living run holds its lock: its unpacked files stay while it lives.
    const QByteArray living = QFile::encodeName(Base() + "/sessions/living.lock");
    const int fd = ::open(living.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);

    EXPECT_EQ(Cli({"render", package, Path("view.png")}).exitCode, 0);
    EXPECT_TRUE(QFileInfo::exists(leftover));
    EXPECT_FALSE(QFileInfo::exists(Base() + "/sessions/999999.lock"));

    ::close(fd);
    EXPECT_EQ(Cli({"edit", package, "-o", Path("edited.vsf")}).exitCode, 0);
    EXPECT_FALSE(QFileInfo::exists(Base() + "/VadiTempSkinPack"));
    // The lock left unheld goes with them.
    EXPECT_EQ(FilesBelow(m_temp.path()), QStringList());
}
