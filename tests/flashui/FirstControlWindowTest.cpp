// The wizard's native window when its first flash control appears: the same window at the same
// place, still the owner of the control gallery. ctest runs this on the offscreen platform and
// again on an X server (Xvfb), where the windows are real.
#include "app/CWizardDlg.h"
#include "flash/ui/CControlsPreviewCtrl.h"
#include "flash/ui/CWebFlashWnd.h"
#include "flash/web/WebEngineSetup.h"
#include "pages/CWebFlashFrameDlg.h"
#include "support/FakeDialogs.h"

#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// Counts the native surfaces of a window that went.
class SurfaceWatch : public QObject {
public:
    int destroyed = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        destroyed += event->type() == QEvent::PlatformSurface &&
                     static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
                         QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed;
        return false;
    }
};

// The X window a window is transient for, as the window manager reads it; 0 when none.
WId X11TransientFor(WId window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window), "WM_TRANSIENT_FOR"});
    xprop.waitForFinished();
    const QString text = QString::fromLatin1(xprop.readAllStandardOutput());
    return text.section(QLatin1Char('#'), 1).trimmed().toULongLong(nullptr, 16);
}

} // namespace

TEST(FirstControlWindow, WizardKeepsItsNativeWindowAndPlaceAndOwnsTheGallery)
{
    qputenv("SKINMAKER_FLASH_PLAYER", SKIN_BINARY_DIR "/flashplayer");
    qunsetenv("SKINMAKER_SITE");
    if (!CControlsPreviewCtrl::FlashPlaybackAvailable())
        GTEST_SKIP() << "the flash player is not installed (scripts/deps.sh)";
    PrepareWebEngine();
    FakeDialogs dialogs;
    CWizardDlg wizard;
    wizard.move(140, 110);
    wizard.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wizard));
    const QPointer<QWindow> window = wizard.windowHandle();
    const WId id = wizard.winId();
    const QPoint place = wizard.pos();
    SurfaceWatch watch;
    window->installEventFilter(&watch);

    // The gallery first, then the first control on the controls step, playing.
    CWebFlashFrameDlg* page = wizard.ControlsPage();
    page->GalleryButton()->click();
    CWebFlashWnd* gallery = page->Gallery();
    ASSERT_TRUE(gallery && gallery->isVisible());
    wizard.StepButton(ControlsStep)->setEnabled(true);
    wizard.StepButton(ControlsStep)->click();
    ASSERT_TRUE(page->isVisible());
    CControlsPreviewCtrl* preview = page->Preview();
    preview->SetControls({{CornerItemKind::Control,
                           Corner::LeftTop,
                           {100, 100},
                           {80, 80},
                           QStringLiteral(SKIN_SOURCE_DIR "/res/flash/clock.swf"),
                           {},
                           false}});
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview->StageReady(); }, 120000));

    EXPECT_EQ(watch.destroyed, 0);
    ASSERT_TRUE(window);
    EXPECT_EQ(wizard.windowHandle(), window.data());
    EXPECT_EQ(wizard.winId(), id);
    EXPECT_EQ(wizard.pos(), place);
    ASSERT_NE(gallery->windowHandle(), nullptr);
    EXPECT_EQ(gallery->windowHandle()->transientParent(), window.data());
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        EXPECT_EQ(X11TransientFor(gallery->winId()), id);
    }
    qunsetenv("SKINMAKER_FLASH_PLAYER");
}
