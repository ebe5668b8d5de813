// Try now under real Wine: a prefix made by wineboot, the player's key written by "wine reg add",
// a stand-in VdMusic.exe built with mingw that writes down its command line, and the wizard's
// Try now command.
#include "app/CWizardDlg.h"
#include "imaging/CSkinImage.h"
#include "pages/CSaveSkin.h"
#include "skin/SkinFolders.h"
#include "skin/WinePrefixFixture.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"
#include "zip/Zip.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

using skintest::ReadAll;
using skintest::ScopedEnv;
using skintest::ScratchDir;
using skintest::WriteAll;

namespace {

// Writes its command line (GetCommandLineW, as UTF-8) to <its own path>.cmdline, whole or not at all.
constexpr char kFakePlayer[] = R"(#include <windows.h>
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show)
{
    WCHAR done[MAX_PATH + 16], partial[MAX_PATH + 16];
    DWORD size = GetModuleFileNameW(NULL, done, MAX_PATH);
    lstrcpyW(done + size, L".cmdline");
    lstrcpyW(partial, done);
    lstrcatW(partial, L".tmp");
    char text[8192];
    int length = WideCharToMultiByte(CP_UTF8, 0, GetCommandLineW(), -1, text, sizeof text, NULL, NULL);
    HANDLE file = CreateFileW(partial, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written;
    WriteFile(file, text, length > 0 ? length - 1 : 0, &written, NULL);
    CloseHandle(file);
    MoveFileExW(partial, done, MOVEFILE_REPLACE_EXISTING);
    return 0;
}
)";

// Runs a program to its end; empty when it succeeded, else what went wrong with its output.
QString RunToEnd(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(180000))
        return program + " did not finish: " + process.errorString();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return program + " failed: " + QString::fromLocal8Bit(process.readAll());
    return {};
}

class RealWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("wine").isEmpty())
            GTEST_SKIP() << "wine is not installed (scripts/deps.sh installs it)";
        QDir().mkpath(m_dir.file("tmp"));
    }
    // Ends whatever still runs in the prefix.
    void TearDown() override
    {
        if (!QStandardPaths::findExecutable("wineserver").isEmpty())
            RunToEnd("wineserver", {"-k"});
    }

    ScratchDir m_dir;

    // The prefix, and the player's key in the 32-bit view, as the player's installer leaves them,
    // with the stand-in player in folder.
    void InstallPlayer(const QString& folder)
    {
        ASSERT_EQ(RunToEnd("wineboot", {"-i"}), QString());
        ASSERT_EQ(RunToEnd("wine", {"reg", "add", "HKLM\\Software\\VDMUSIC", "/v", "VDMUSIC_HOME", "/t",
                                    "REG_SZ", "/d", "C:\\Program Files\\Vadi音乐盒\\", "/f", "/reg:32"}),
                  QString());
        // The server writes system.reg when it ends.
        ASSERT_EQ(RunToEnd("wineserver", {"-w"}), QString());
        ASSERT_TRUE(QDir().mkpath(folder + "/face"));
        ASSERT_TRUE(WriteAll(folder + "/face/vdc.img", "[Config]\r\nVersion=MUSIC_2.6.8.0\r\n"));
        ASSERT_TRUE(WriteAll(m_dir.file("player.c"), kFakePlayer));
        ASSERT_EQ(RunToEnd("x86_64-w64-mingw32-g++", {"-x", "c", "-O1", "-s", "-static", "-mwindows", "-o",
                                                      folder + "/VdMusic.exe", m_dir.file("player.c")}),
                  QString());
    }
    void PrepareHeader(CWizardDlg& wizard)
    {
        const QString picturePath = m_dir.file("header.png");
        QImage picture(700, 61, QImage::Format_RGB32);
        picture.fill(qRgb(40, 90, 160));
        ASSERT_TRUE(picture.save(picturePath));
        auto header = std::make_shared<CSkinImage>();
        ASSERT_TRUE(header->LoadFromFile(picturePath));
        wizard.Document().SetPicture(picturePath, header);
        ASSERT_EQ(wizard.Document().Crop(), SkinRect(0, 0, 700, 61));
    }

private:
    ScopedEnv m_prefix{"WINEPREFIX", m_dir.file("prefix").toUtf8()};
    // Headless and quick: no debug output, no .NET or browser engine, no desktop menu entries.
    ScopedEnv m_debug{"WINEDEBUG", "-all"};
    ScopedEnv m_dlls{"WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d"};
    // Wine maps Unix file names through the locale's character set: a Chinese folder needs UTF-8.
    ScopedEnv m_locale{"LC_ALL", "C.UTF-8"};
    ScopedEnv m_temp{"TMPDIR", m_dir.file("tmp").toUtf8()};
};

} // namespace

TEST_F(RealWine, TryNowStartsThePlayerWithTheQuotedWindowsPathOfThePackage)
{
    const QString folder = m_dir.file("prefix/drive_c/Program Files/Vadi音乐盒");
    ASSERT_NO_FATAL_FAILURE(InstallPlayer(folder));

    FakeDialogs dialogs;
    CWizardDlg wizard;
    ASSERT_NO_FATAL_FAILURE(PrepareHeader(wizard));
    // No space in the package's path: the quotes are the maker's, not Wine's.
    wizard.Document().SetSkinName(QStringLiteral("试用"));
    wizard.TryNow();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();

    const QString record = folder + "/VdMusic.exe.cmdline";
    ASSERT_TRUE(QTest::qWaitFor([&record] { return QFile::exists(record); }, 120000));
    const QString package = TryPackagePath(QStringLiteral("试用"));
    EXPECT_EQ(QString::fromUtf8(ReadAll(record)), "\"C:\\Program Files\\Vadi音乐盒\\VdMusic.exe\" \"Z:" +
                                                      QString(package).replace('/', '\\') + '"');
    QStringList members;
    ASSERT_TRUE(UnzipAll(package, m_dir.file("unpacked"), &members, false));
    EXPECT_EQ(members, (QStringList{"TopPanelBKMid.bmp", "small.bmp", "conf.ini"}));
}

// Skin names that cmd would expand or unquote inside the player's command: the player still gets
// exactly the path of the package written, and the skin keeps its name inside the package.
TEST_F(RealWine, TryNowHandsThePlayerThePackagePathWhateverTheSkinName)
{
    const QString folder = m_dir.file("prefix/drive_c/Program Files/Vadi音乐盒");
    ASSERT_NO_FATAL_FAILURE(InstallPlayer(folder));
    FakeDialogs dialogs;
    CWizardDlg wizard;
    ASSERT_NO_FATAL_FAILURE(PrepareHeader(wizard));
    const QString record = folder + "/VdMusic.exe.cmdline";
    for (const QString& name :
         {QStringLiteral("a%CD%b"), QStringLiteral("x%PATH%y"), QStringLiteral("q＂q")}) {
        SCOPED_TRACE(name.toStdString());
        QFile::remove(record);
        wizard.SavePage()->NameEdit()->setText(name);
        wizard.TryNow();
        EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.MessageTexts().join('|').toStdString();
        ASSERT_TRUE(QTest::qWaitFor([&record] { return QFile::exists(record); }, 120000));
        const QString package = TryPackagePath(name);
        EXPECT_TRUE(QFile::exists(package));
        EXPECT_EQ(QString::fromUtf8(ReadAll(record)), "\"C:\\Program Files\\Vadi音乐盒\\VdMusic.exe\" \"Z:" +
                                                          QString(package).replace('/', '\\') + '"');
        const QString unpacked = m_dir.file("unpacked-" + TryPackageName(name));
        QStringList members;
        ASSERT_TRUE(UnzipAll(package, unpacked, &members, false));
        if (name.contains('%')) {
            EXPECT_TRUE(ReadAll(unpacked + "/conf.ini").contains("showname=" + name.toLatin1()));
        }
    }
}
