// The control gallery: its window with the progress dialog and results (without a page), the
// program's own gallery on the local host, the real web view whose page calls
// window.external.callflashdown, answered only on the gallery's origin, and "使用" in the gallery
// opened from step 5 ending as a row there.
#include "app/CWizardDlg.h"
#include "flash/core/FlashCache.h"
#include "flash/core/SwfHeader.h"
#include "flash/ui/CControlsPreviewCtrl.h"
#include "flash/ui/CProgressDlg.h"
#include "flash/ui/CWebFlashWnd.h"
#include "flash/web/CGalleryView.h"
#include "flash/web/LocalGallery.h"
#include "flash/web/LocalWebHost.h"
#include "flash/web/WebEngineSetup.h"
#include "pages/CSkinHeadDlg.h"
#include "pages/CWebFlashFrameDlg.h"
#include "platform/SiteLinks.h"
#include "support/FakeDialogs.h"
#include "support/TestHttpServer.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTranslator>
#include <QTreeView>
#include <QWebEngineView>
#include <gtest/gtest.h>

using Outcome = CDownloadRequest::Outcome;
using skintest::MovieOfSize;

namespace {

QString Request(const QString& url, const QString& flashId = QStringLiteral("clock01"))
{
    return QStringLiteral("method=download\nflashid=%1\nname=时钟\nurl=%2").arg(flashId, url);
}

struct GalleryFixture {
    GalleryFixture(const QUrl& url = QUrl()) : gallery(nullptr, url)
    {
        gallery.Request().SetCacheFolder(scratch.file("cache"));
        gallery.show();
    }
    bool ProgressShown() const { return gallery.ProgressDialog() && gallery.ProgressDialog()->isVisible(); }

    struct EngineReady {
        EngineReady() { PrepareWebEngine(); }
    } engineReady; // before the first web view
    FakeDialogs dialogs;
    skintest::ScratchDir scratch;
    CWebFlashWnd gallery;
    QSignalSpy added{&gallery, &CWebFlashWnd::controlDownloaded}; // name, path
};

QByteArray Get(const QUrl& url)
{
    QNetworkAccessManager manager;
    QNetworkReply* reply = manager.get(QNetworkRequest(url));
    if (!QTest::qWaitFor([&] { return reply->isFinished(); }, 10000))
        reply->abort();
    const QByteArray body = reply->readAll();
    delete reply;
    return body;
}

} // namespace

TEST(GalleryWindow, CachedDownloadedAndFailedControls)
{
    GalleryFixture f;
    EXPECT_EQ(f.gallery.windowTitle(), QStringLiteral("选择控件"));
    EXPECT_EQ(f.gallery.size(), QSize(366, 360));
    skintest::TestServer server;
    server.answer = {200, MovieOfSize(5000), true, 2000, true};
    f.gallery.Request().Download().SetStallTimeout(60000);

    // A download: the progress dialog on its posted start, gone with the result; the wizard is told.
    ASSERT_EQ(f.gallery.Request().HandleRequest(Request(server.Url("/c.swf"))), Outcome::Started);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.ProgressShown(); }));
    CProgressDlg* progress = f.gallery.ProgressDialog();
    EXPECT_EQ(progress->windowTitle(), QStringLiteral("下载控件"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return progress->Bar()->value() == 2000; }));
    EXPECT_EQ(progress->Bar()->maximum(), 5000);
    // Escape only closes the dialog; the download goes on.
    QTest::keyClick(progress, Qt::Key_Escape);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(f.gallery.Request().IsBusy());
    f.gallery.Request().CancelDownload();
    // "取消" stops it: no file, no message, nothing for the wizard; the next request downloads.
    ASSERT_EQ(f.gallery.Request().HandleRequest(Request(server.Url("/c.swf"))), Outcome::Started);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.ProgressShown() && progress->Bar()->value() == 2000; }));
    QTest::mouseClick(progress->CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_FALSE(f.gallery.Request().IsBusy());
    EXPECT_TRUE(f.added.isEmpty());
    const QString cached = f.scratch.file("cache/" + FlashCacheFileName("clock01", server.Url("/c.swf")));
    EXPECT_FALSE(QFileInfo::exists(cached));
    server.answer = {200, MovieOfSize(5000), true, -1, false};
    ASSERT_EQ(f.gallery.Request().HandleRequest(Request(server.Url("/c.swf"))), Outcome::Started);
    ASSERT_TRUE(f.added.wait());
    ASSERT_EQ(f.added.size(), 1) << "the cancelled downloads report nothing, not even late";
    EXPECT_EQ(f.added.last().at(0).toString(), QStringLiteral("时钟"));
    EXPECT_EQ(f.added.last().at(1).toString(), cached);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(f.dialogs.messages.isEmpty());

    // From the cache: told at once, no dialog.
    EXPECT_EQ(f.gallery.Request().HandleRequest(Request(server.Url("/c.swf"))), Outcome::Cached);
    EXPECT_EQ(f.added.size(), 2);
    EXPECT_FALSE(progress->isVisible());

    // A failure: the message with the program's name as caption; the wizard hears nothing.
    server.answer = {404, "missing", true, -1, false};
    ASSERT_EQ(f.gallery.Request().HandleRequest(Request(server.Url("/x.swf"), "other")), Outcome::Started);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.dialogs.messages.isEmpty(); }));
    EXPECT_EQ(f.dialogs.messages.last().text, QStringLiteral("下载失败,请稍后再试！"));
    EXPECT_EQ(f.dialogs.messages.last().caption, QCoreApplication::applicationName());
    EXPECT_EQ(f.added.size(), 2);
    EXPECT_FALSE(progress->isVisible());
}

TEST(LocalGallery, ServesItsControlsWhichDownloadOverHttp)
{
    const QList<GalleryControl> controls = LocalGalleryControls();
    ASSERT_EQ(controls.size(), 3);
    for (const GalleryControl& control : controls) {
        const SwfFrameSize size = ReadSwfFrameSize(control.resource);
        EXPECT_TRUE(size.ok && size.width == control.width && size.height == control.height)
            << control.resource.toStdString();
    }

    LocalWebHost host(QStringLiteral(SKIN_BINARY_DIR "/flashplayer"));
    qunsetenv("SKINMAKER_SITE");
    ASSERT_TRUE(host.Start());
    EXPECT_TRUE(Get(host.Url("/today_recommend/flash.htm")).contains(R"(<script src="gallery.js">)"));
    EXPECT_TRUE(Get(host.Url("/today_recommend/gallery.js")).contains("callflashdown"));
    EXPECT_TRUE(Get(host.Url("/today_recommend/gallery-player.js")).contains("allowNetworking: \"none\""));
    EXPECT_TRUE(Get(host.Url("/today_recommend/gallery.css")).contains(".card{"));
    EXPECT_TRUE(Get(host.Url("/today_recommend/controls.js")).contains(R"("flashid":"meter01","height":60)"));

    skintest::ScratchDir scratch;
    CDownloadRequest request;
    request.SetCacheFolder(scratch.path());
    QSignalSpy done(&request, &CDownloadRequest::DownloadDone);
    const QString url = host.Url(controls[2].path).toString();
    ASSERT_EQ(request.HandleRequest(Request(url, "meter01")), Outcome::Started);
    ASSERT_TRUE(done.wait(10000));
    EXPECT_TRUE(done.last().at(0).toBool());
    EXPECT_EQ(skintest::ReadAll(request.LocalPath()),
              skintest::ReadAll(SKIN_SOURCE_DIR "/res/flash/meter.swf"));
}

TEST(GalleryPage, ScriptCallAnsweredOnlyOnTheGalleryOrigin)
{
    PrepareWebEngine();
    LocalWebHost site(QStringLiteral(SKIN_BINARY_DIR "/flashplayer"));
    LocalWebHost other(QStringLiteral(SKIN_BINARY_DIR "/flashplayer"));
    ASSERT_TRUE(site.Start());
    ASSERT_TRUE(other.Start());
    // The page calls at once, before the channel to the program is up, and shows an alert.
    const QByteArray page = "<!DOCTYPE html><html><head><meta charset='utf-8'><script>"
                            "alert('欢迎');"
                            "window.external.callflashdown('method=download\\r\\nflashid=clock01\\r\\n"
                            "name=时钟\\r\\nurl=' + location.origin + '/c/clock01.swf');"
                            "document.title = 'called';"
                            "</script></head><body></body></html>";
    // The other origin's control differs from the site's, so that a call answered there would show.
    for (LocalWebHost* host : {&site, &other}) {
        host->AddContent("/today_recommend/flash.htm", "text/html; charset=utf-8", page);
        host->AddContent("/c/clock01.swf", "application/x-shockwave-flash",
                         MovieOfSize(host == &site ? 3000 : 2000));
    }

    GalleryFixture f(site.Url("/today_recommend/flash.htm"));
    ASSERT_NE(f.gallery.View(), nullptr);
    f.gallery.View()->Load(other.Url("/today_recommend/flash.htm"));
    const auto* view = qobject_cast<QWebEngineView*>(f.gallery.View()->Widget());
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->title() == "called"; }, 60000));
    EXPECT_FALSE(f.gallery.View()->ShowsGalleryOrigin());
    EXPECT_TRUE(f.added.isEmpty());
    EXPECT_EQ(f.gallery.ProgressDialog(), nullptr);
    EXPECT_TRUE(f.dialogs.messages.isEmpty()); // nor is its alert shown

    // Calls reach the program in order: once the site's call is answered, the other page's call
    // has been handled too, and it must have been refused.
    f.gallery.View()->Load(site.Url("/today_recommend/flash.htm"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.added.isEmpty(); }, 60000));
    EXPECT_EQ(f.added.size(), 1);
    EXPECT_EQ(f.added[0].at(0).toString(), QStringLiteral("时钟"));
    EXPECT_EQ(skintest::ReadAll(f.added[0].at(1).toString()), MovieOfSize(3000));
    ASSERT_FALSE(f.dialogs.messages.isEmpty());
    EXPECT_EQ(f.dialogs.messages[0].text, QStringLiteral("欢迎"));
    EXPECT_EQ(f.dialogs.messages[0].caption, "Custom Browser");
    EXPECT_EQ(f.dialogs.messages[0].icon, QMessageBox::Information);
}

TEST(GalleryPage, UseInTheProgramsOwnGalleryAddsARowOnStep5)
{
    qunsetenv("SKINMAKER_SITE");
    PrepareWebEngine();
    FakeDialogs dialogs;
    skintest::ScratchDir scratch;
    CWizardDlg wizard;
    wizard.show();
    CWebFlashFrameDlg* page = wizard.ControlsPage();
    page->CornerTabs()->setCurrentIndex(1);
    page->GalleryButton()->click();
    CWebFlashWnd* gallery = page->Gallery();
    ASSERT_TRUE(gallery && gallery->View() && gallery->isVisible());
    gallery->Request().SetCacheFolder(scratch.path());

    // "使用" under the clock, once the page lists it; the download runs over HTTP from the local host.
    const auto* view = qobject_cast<QWebEngineView*>(gallery->View()->Widget());
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->title() == QStringLiteral("控件库"); }, 60000));
    gallery->View()->RunScript("(function press() {"
                               "  const button = document.querySelector('#control-clock01 button');"
                               "  if (button) button.click(); else setTimeout(press, 100);"
                               "})()");
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->RowCount() > 0; }, 60000));
    ASSERT_EQ(page->RowCount(), 1);
    const QAbstractItemModel* rows = page->ControlList()->model();
    EXPECT_EQ(rows->index(0, 0).data().toString(), QStringLiteral("右上角"));
    EXPECT_EQ(rows->index(0, 1).data().toString(), QStringLiteral("时钟"));
    EXPECT_EQ(rows->index(0, 2).data().toString(), QStringLiteral("Vadi动态控件"));
    EXPECT_EQ(page->Control(0).file, gallery->Request().LocalPath());
    EXPECT_TRUE(QFileInfo(gallery->Request().LocalPath()).fileName().startsWith("clock01-"));
    EXPECT_EQ(skintest::ReadAll(gallery->Request().LocalPath()),
              skintest::ReadAll(SKIN_SOURCE_DIR "/res/flash/clock.swf"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST(GalleryPage, LeavingStep5OrRemakeClosesTheGallery)
{
    qunsetenv("SKINMAKER_SITE");
    PrepareWebEngine();
    FakeDialogs dialogs;
    CWizardDlg wizard;
    wizard.show();
    emit wizard.HeadPage()->pictureReady();
    while (wizard.CurrentIndex() < ControlsStep)
        wizard.CommandButton(ID_NEXT)->click();
    CWebFlashFrameDlg* page = wizard.ControlsPage();
    const auto galleryShownAfter = [&](auto leave) {
        page->GalleryButton()->click();
        EXPECT_TRUE(page->Gallery() && page->Gallery()->isVisible());
        leave();
        return page->Gallery()->isVisible();
    };
    // Forward or back, the gallery (and its 使用) goes with the step; so it does on Remake.
    EXPECT_FALSE(galleryShownAfter([&] { wizard.CommandButton(ID_NEXT)->click(); }));
    EXPECT_EQ(wizard.CurrentIndex(), SaveStep);
    wizard.CommandButton(ID_PREVIOUS)->click();
    EXPECT_FALSE(galleryShownAfter([&] { wizard.CommandButton(ID_PREVIOUS)->click(); }));
    wizard.CommandButton(ID_NEXT)->click();
    ASSERT_EQ(wizard.CurrentIndex(), ControlsStep);
    EXPECT_FALSE(galleryShownAfter([&] { page->ResetPage(); }));
    EXPECT_EQ(page->RowCount(), 0);
}

// The program's own gallery by keyboard alone: Tab from the top of the page reaches the first
// card (named for screen readers), Tab again its button, and Enter on a card uses its control.
TEST(GalleryPage, CardsAreReachedWithTabAndUsedWithEnter)
{
    qunsetenv("SKINMAKER_SITE");
    PrepareWebEngine();
    FakeDialogs dialogs;
    skintest::ScratchDir scratch;
    CWizardDlg wizard;
    wizard.show();
    CWebFlashFrameDlg* page = wizard.ControlsPage();
    page->GalleryButton()->click();
    CWebFlashWnd* gallery = page->Gallery();
    ASSERT_TRUE(gallery && gallery->View() && gallery->isVisible());
    gallery->Request().SetCacheFolder(scratch.path());
    auto* view = qobject_cast<QWebEngineView*>(gallery->View()->Widget());
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->title() == QStringLiteral("控件库"); }, 60000));

    const auto evaluate = [view](const QString& script) {
        QVariant answer;
        bool answered = false;
        view->page()->runJavaScript(script, [&](const QVariant& value) {
            answer = value;
            answered = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 30000));
        return answer.toString();
    };
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return evaluate("String(document.querySelectorAll('.card').length)") != "0"; }, 30000));
    const QString first = QStringLiteral("control-") + LocalGalleryControls().first().flashId;
    const QString focused = "(document.activeElement.id || document.activeElement.tagName)";
    view->activateWindow();
    view->setFocus();
    QWidget* keys = view->focusProxy() ? view->focusProxy() : view;
    QTest::keyClick(keys, Qt::Key_Tab);
    ASSERT_TRUE(QTest::qWaitFor([&] { return evaluate(focused) == first; }, 10000))
        << evaluate(focused).toStdString();
    EXPECT_TRUE(evaluate("document.activeElement.getAttribute('aria-label')")
                    .startsWith(LocalGalleryControls().first().name));
    QTest::keyClick(keys, Qt::Key_Tab);
    ASSERT_TRUE(QTest::qWaitFor([&] { return evaluate(focused) == "BUTTON"; }, 10000));
    QTest::keyClick(keys, Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return evaluate(focused) == first; }, 10000));
    QTest::keyClick(keys, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->RowCount() > 0; }, 60000));
    EXPECT_EQ(page->RowCount(), 1);

    // Escape closes the gallery window, also while the page holds the keyboard.
    gallery->activateWindow();
    view->setFocus();
    QTest::keyClick(keys, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !gallery->isVisible(); }, 10000));
    EXPECT_TRUE(wizard.isVisible());
}

// In English: the local site's pages, the gallery's list of controls and its page as shown, the
// gallery window and the progress dialog, whose texts fit their widgets.
TEST(GalleryPage, EnglishSiteGalleryAndWindows)
{
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral("skinflash_en"), QStringLiteral(":/i18n")));
    QCoreApplication::installTranslator(&english);
    const auto removeTranslator = qScopeGuard([&] { QCoreApplication::removeTranslator(&english); });
    static const QRegularExpression chinese(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));

    PrepareWebEngine();
    LocalWebHost site(QStringLiteral(SKIN_BINARY_DIR "/flashplayer"));
    ASSERT_TRUE(site.Start());
    for (const SitePage page :
         {SitePage::Home, SitePage::MakingHelp, SitePage::StretchHelp, SitePage::FrameHelp,
          SitePage::ControlsHelp, SitePage::Upload, SitePage::ControlGallery}) {
        const QString body = QString::fromUtf8(Get(site.Url(SitePath(page))));
        EXPECT_TRUE(body.contains(QStringLiteral("<html lang=\"en\">"))) << SitePath(page).toStdString();
        EXPECT_FALSE(body.contains(chinese)) << SitePath(page).toStdString();
        static const QRegularExpression picture(QStringLiteral("src=\"(/site/img/[^\"]+)\""));
        for (const auto& match : picture.globalMatch(body)) {
            // The English picture where the program has one.
            const QString name = match.captured(1).mid(QStringLiteral("/site/img/").size());
            QFile english(QStringLiteral(":/res/bitmap/en/") + name);
            const QByteArray served = Get(site.Url(match.captured(1)));
            EXPECT_FALSE(served.isEmpty()) << match.captured(1).toStdString();
            if (english.open(QIODevice::ReadOnly)) {
                EXPECT_EQ(served, english.readAll()) << match.captured(1).toStdString();
            }
        }
    }
    const QString list = QString::fromUtf8(Get(site.Url(QStringLiteral("/today_recommend/controls.js"))));
    EXPECT_TRUE(list.contains(QStringLiteral("\"Clock\"")) && !list.contains(chinese)) << list.toStdString();

    GalleryFixture f(site.Url(LocalGalleryPath()));
    EXPECT_EQ(f.gallery.windowTitle(), QStringLiteral("Choose a Control"));
    EXPECT_FALSE(CWebFlashWnd::FailureText().contains(chinese));
    EXPECT_FALSE(CControlsPreviewCtrl::FlashPlaybackMissingText().contains(chinese));
    ASSERT_NE(f.gallery.View(), nullptr);
    const auto* view = qobject_cast<QWebEngineView*>(f.gallery.View()->Widget());
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->title() == QStringLiteral("Control Gallery"); }, 60000));
    f.gallery.View()->RunScript("(function shown() {"
                                "  if (document.querySelectorAll('.card button').length < 3)"
                                "    return setTimeout(shown, 100);"
                                "  document.title = 'shown: ' + document.body.innerText;"
                                "})()");
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->title().startsWith(QStringLiteral("shown: ")); }, 60000));
    EXPECT_TRUE(view->title().contains(QStringLiteral("Use")));
    EXPECT_FALSE(view->title().contains(chinese)) << view->title().toStdString();

    CProgressDlg progress(nullptr);
    progress.ShowCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&progress));
    EXPECT_FALSE(progress.windowTitle().contains(chinese));
    const QList<QWidget*> texts = progress.findChildren<QWidget*>();
    for (const QWidget* widget : texts) {
        QString text;
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            text = label->text();
        else if (const auto* button = qobject_cast<const QPushButton*>(widget))
            text = button->text();
        else
            continue;
        EXPECT_FALSE(text.isEmpty() || text.contains(chinese)) << text.toStdString();
        EXPECT_LE(widget->sizeHint().width(), widget->width()) << text.toStdString();
    }
}
