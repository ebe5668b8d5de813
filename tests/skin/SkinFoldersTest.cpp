#include "skin/SkinFolders.h"

#include "skin/WinePrefixFixture.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

using skintest::ScopedEnv;
using skintest::ScratchDir;
using skintest::WriteAll;

TEST(SkinFolders, WorkingFoldersLieInTheUsersPrivateFolder)
{
    const QString temp = QDir::tempPath();
    EXPECT_FALSE(TempFolder().endsWith('/'));
    const QString base = WorkingBase();
    EXPECT_EQ(base, temp + "/skinmaker-" + QString::number(geteuid()));
    EXPECT_EQ(BuildFolder(), base + "/VadiSkinMaker");
    EXPECT_EQ(ExtractionRoot(), base + "/VadiTempSkinPack");
    // Named after the package file, extension included, whichever separator the path uses.
    EXPECT_EQ(ExtractionFolder("/home/u/skins/myskin.vsf"), base + "/VadiTempSkinPack/myskin.vsf");
    EXPECT_EQ(ExtractionFolder("C:\\skins\\my.vsf"), base + "/VadiTempSkinPack/my.vsf");
    EXPECT_EQ(FileNamePart("plain.vsf"), "plain.vsf");
}

TEST(SkinFolders, EmptyFolderDeletesPlainFilesAndRemovesTheFolder)
{
    ScratchDir scratch;
    const QString folder = scratch.file("work");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(WriteAll(folder + "/a.bmp", "a"));
    ASSERT_TRUE(WriteAll(folder + "/.hidden", "h"));

    EXPECT_TRUE(EmptyFolder(folder, QString()));
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST(SkinFolders, EmptyFolderWithSuffixKeepsOtherFilesAndTheFolder)
{
    ScratchDir scratch;
    const QString folder = scratch.file("work");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(WriteAll(folder + "/one.swf", "1"));
    ASSERT_TRUE(WriteAll(folder + "/two.swf", "2"));
    ASSERT_TRUE(WriteAll(folder + "/conf.ini", "c"));

    // The other file keeps the folder from being removed.
    EXPECT_FALSE(EmptyFolder(folder, ".swf"));
    EXPECT_FALSE(QFileInfo::exists(folder + "/one.swf"));
    EXPECT_FALSE(QFileInfo::exists(folder + "/two.swf"));
    EXPECT_TRUE(QFileInfo::exists(folder + "/conf.ini"));

    EXPECT_TRUE(EmptyFolder(folder, ".ini"));
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST(SkinFolders, EmptyFolderOnAMissingFolderOrAFileFails)
{
    ScratchDir scratch;
    EXPECT_FALSE(EmptyFolder(scratch.file("missing"), QString()));
    EXPECT_FALSE(EmptyFolder(QString(), QString()));
    ASSERT_TRUE(WriteAll(scratch.file("file"), "x"));
    EXPECT_FALSE(EmptyFolder(scratch.file("file"), QString()));
    EXPECT_TRUE(QFileInfo::exists(scratch.file("file")));
}

TEST(SkinFolders, EmptyFolderSkipsSubFolders)
{
    ScratchDir scratch;
    const QString folder = scratch.file("work");
    ASSERT_TRUE(QDir().mkpath(folder + "/sub"));
    ASSERT_TRUE(WriteAll(folder + "/top.bmp", "t"));
    ASSERT_TRUE(WriteAll(folder + "/sub/inner.bmp", "i"));

    // The sub-folder is neither entered nor removed, so the folder stays.
    EXPECT_FALSE(EmptyFolder(folder, QString()));
    EXPECT_FALSE(QFileInfo::exists(folder + "/top.bmp"));
    EXPECT_TRUE(QFileInfo::exists(folder + "/sub/inner.bmp"));
}

#ifdef Q_OS_LINUX
namespace {
// Marks a file immutable for its lifetime: not even root can delete it.
class ImmutableFile {
public:
    explicit ImmutableFile(const QString& path) : m_path(QFile::encodeName(path)) { m_ok = SetFlag(true); }
    ~ImmutableFile()
    {
        if (m_ok)
            SetFlag(false);
    }
    bool ok() const { return m_ok; }

private:
    bool SetFlag(bool on)
    {
        const int fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }
    QByteArray m_path;
    bool m_ok = false;
};
} // namespace

TEST(SkinFolders, EmptyFolderStopsAtAFileItCannotDelete)
{
    ScratchDir scratch;
    const QString folder = scratch.file("work");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(WriteAll(folder + "/locked.bmp", "l"));
    bool locked = false;
    std::unique_ptr<ImmutableFile> immutable;
    if (geteuid() == 0) {
        immutable = std::make_unique<ImmutableFile>(folder + "/locked.bmp");
        locked = immutable->ok();
    } else {
        // Without write permission on the folder its files cannot be unlinked.
        locked = QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    }
    if (!locked)
        GTEST_SKIP() << "this file system offers no way to make a file undeletable";

    EXPECT_FALSE(EmptyFolder(folder, QString()));
    EXPECT_TRUE(QFileInfo::exists(folder + "/locked.bmp"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    immutable.reset();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
#endif

TEST(SkinFolders, MakeFoldersCreatesNestedFolders)
{
    ScratchDir scratch;
    const QString nested = scratch.file("a/b/c");
    EXPECT_TRUE(MakeFolders(nested));
    EXPECT_TRUE(QFileInfo(nested).isDir());
    // An existing folder is fine, and so are backslashes and a doubled separator.
    EXPECT_TRUE(MakeFolders(nested));
    EXPECT_TRUE(MakeFolders(scratch.file("a\\d//e")));
    EXPECT_TRUE(QFileInfo(scratch.file("a/d/e")).isDir());
}

TEST(SkinFolders, MakeFoldersRefusesAnEmptyPath)
{
    EXPECT_FALSE(MakeFolders(QString()));
}

TEST(SkinFolders, MakeFoldersReplacesAFileOfThatPath)
{
    ScratchDir scratch;
    const QString path = scratch.file("taken");
    ASSERT_TRUE(WriteAll(path, "file in the way"));
    EXPECT_TRUE(MakeFolders(path));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(SkinFolders, MakeFoldersFailsBelowAFile)
{
    ScratchDir scratch;
    ASSERT_TRUE(WriteAll(scratch.file("file"), "x"));
    // Only the last component is replaced; a file higher up stops the walk.
    EXPECT_FALSE(MakeFolders(scratch.file("file/sub")));
    EXPECT_TRUE(QFileInfo(scratch.file("file")).isFile());
}

TEST(SkinFolders, FileExistsSeesFilesAndFolders)
{
    ScratchDir scratch;
    ASSERT_TRUE(WriteAll(scratch.file("f"), "x"));
    EXPECT_TRUE(FileExists(scratch.file("f")));
    EXPECT_TRUE(FileExists(scratch.path()));
    EXPECT_FALSE(FileExists(scratch.file("missing")));
    EXPECT_FALSE(FileExists(QString()));
}

// The package Try now hands to the player lies in a folder of its own, under a name the player's
// command line cannot expand or unquote.
TEST(SkinFolders, TryPackageNamesMeanNothingToTheCommandLine)
{
    EXPECT_EQ(TryFolder(), WorkingBase() + "/VadiTrySkin");
    EXPECT_EQ(TryPackagePath(QStringLiteral("试用")), TryFolder() + QStringLiteral("/试用.vsf"));
    EXPECT_EQ(TryPackageName(QStringLiteral("my skin (2)")), QStringLiteral("my skin (2)"));
    EXPECT_EQ(TryPackageName(QStringLiteral("a%CD%b")), QStringLiteral("a_CD_b"));
    EXPECT_EQ(TryPackageName(QStringLiteral("x%PATH% y")), QStringLiteral("x_PATH__y"));
    EXPECT_EQ(TryPackageName(QStringLiteral("q＂q")), QStringLiteral("q_q"));
    EXPECT_EQ(TryPackageName(QStringLiteral("蓝天^1!")), QStringLiteral("蓝天_1_"));
    EXPECT_EQ(TryPackageName(QStringLiteral("tab\there")), QStringLiteral("tab_here"));

    ScratchDir scratch;
    const ScopedEnv tmpdir("TMPDIR", scratch.path().toUtf8());
    ASSERT_TRUE(PrepareTryFolder());
    ASSERT_TRUE(WriteAll(TryPackagePath("old"), "earlier"));
    ASSERT_TRUE(PrepareTryFolder());
    EXPECT_FALSE(QFile::exists(TryPackagePath("old")));
    EXPECT_TRUE(QFileInfo(TryFolder()).isDir());
}
