// The wizard under a Wayland compositor (tests/desktop/check_wayland.sh runs this under weston;
// on any other platform it is skipped): a package with a control opens and the control plays, the
// control gallery opens beside the wizard, and a dialog opens and closes.
#include "app/CAboutDlg.h"
#include "app/CWizardDlg.h"
#include "flash/ui/CControlsPreviewCtrl.h"
#include "flash/ui/CWebFlashWnd.h"
#include "flash/web/WebEngineSetup.h"
#include "pages/CWebFlashFrameDlg.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// The compositor's own picture of its screen, into folder (weston started with --debug).
bool ScreenshotInto(const QString& folder)
{
    QProcess shooter;
    shooter.setWorkingDirectory(folder);
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    return shooter.waitForFinished(60000) && shooter.exitCode() == 0 &&
           !QDir(folder).entryList({QStringLiteral("*.png")}).isEmpty();
}

} // namespace

TEST(OnWayland, WizardPlaysAControlOpensTheGalleryAndADialog)
{
    if (QGuiApplication::platformName() != QStringLiteral("wayland"))
        GTEST_SKIP() << "runs under a Wayland compositor (tests/desktop/check_wayland.sh)";
    qputenv("SKINMAKER_FLASH_PLAYER", SKIN_BINARY_DIR "/flashplayer");
    qunsetenv("SKINMAKER_SITE");
    ASSERT_TRUE(CControlsPreviewCtrl::FlashPlaybackAvailable());
    skintest::ScratchDir files;
    const QString package = files.file("control.vsf");
    ASSERT_EQ(skintest::BuildSamplePackageWithControl(package, "control", "@20,10"), QString());

    PrepareWebEngine();
    FakeDialogs dialogs;
    CWizardDlg wizard;
    wizard.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wizard));
    ASSERT_TRUE(wizard.OpenPackage(package));
    CWebFlashFrameDlg* page = wizard.ControlsPage();
    QSignalSpy frames(page->Preview(), &CControlsPreviewCtrl::firstFrameDrawn);
    wizard.StepButton(ControlsStep)->setEnabled(true);
    wizard.StepButton(ControlsStep)->click();
    ASSERT_TRUE(page->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frames.isEmpty(); }, 120000));
    if (const QString shots = qEnvironmentVariable("SKIN_WAYLAND_SHOTS"); !shots.isEmpty()) {
        QTest::qWait(500); // a few frames more on the screen, for the picture only
        EXPECT_TRUE(ScreenshotInto(shots));
    }

    page->GalleryButton()->click();
    CWebFlashWnd* gallery = page->Gallery();
    ASSERT_TRUE(gallery && gallery->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(gallery));
    ASSERT_NE(gallery->windowHandle(), nullptr);
    EXPECT_EQ(gallery->windowHandle()->transientParent(), wizard.windowHandle());

    CAboutDlg about(&wizard);
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    about.accept();
    EXPECT_FALSE(about.isVisible());
    EXPECT_TRUE(wizard.isVisible());
    EXPECT_TRUE(dialogs.messages.isEmpty());
    qunsetenv("SKINMAKER_FLASH_PLAYER");
}
