// Generated movies played by the controls preview in its transparent stage page over the painted
// player picture, inside a painted window.
#include "flash/ui/CControlsPreviewCtrl.h"
#include "flash/web/CWebFlashStage.h"
#include "flash/web/LocalWebHost.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QWebEngineView>
#include <gtest/gtest.h>

namespace {

const QColor kWidgetColor(200, 0, 200);

class Painted : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), kWidgetColor); }
};

bool IsWidgetColor(QRgb pixel)
{
    return qAbs(qRed(pixel) - kWidgetColor.red()) < 8 && qAbs(qGreen(pixel) - kWidgetColor.green()) < 8 &&
           qAbs(qBlue(pixel) - kWidgetColor.blue()) < 8;
}

// A stage page on a host of its own, over a shown anchor, with the hostile test movies written for
// a probe: a server on another local port that no movie may reach.
class HostileStage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Start());
        if (!host.HasPlayer())
            GTEST_SKIP() << "the flash player is not installed (scripts/deps.sh)";
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&probe, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = probe.nextPendingConnection()) {
                ++reached;
                socket->abort();
            }
        });
        const QString probeUrl = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
        ASSERT_EQ(QProcess::execute(
                      QStringLiteral("python3"),
                      {QStringLiteral(SKIN_SOURCE_DIR "/tools/swfgen/hostile.py"), movies.path(), probeUrl}),
                  0);
        anchor.resize(300, 200);
        anchor.show();
        stage = std::make_unique<CWebFlashStage>(&anchor, host);
    }

    bool WasServed(const QByteArray& target) const
    {
        for (const QList<QVariant>& call : served) {
            if (call.at(0).toByteArray() == target)
                return true;
        }
        return false;
    }

    int MoviesServed() const
    {
        return static_cast<int>(
            std::count_if(served.cbegin(), served.cend(), [](const QList<QVariant>& call) {
                return call.at(0).toByteArray().startsWith("/movie/");
            }));
    }

    LocalWebHost host{QStringLiteral(SKIN_BINARY_DIR "/flashplayer")};
    QSignalSpy served{&host, &LocalWebHost::Served};
    QTcpServer probe;
    int reached = 0;
    skintest::ScratchDir movies;
    Painted anchor;
    std::unique_ptr<CWebFlashStage> stage;
};

} // namespace

// Loading variables, LoadVars, XML, a movie into a level and a posted form: none of it leaves the
// host's own origin. The movie asks its own host for /hostile-done two frames after the attempts.
TEST_F(HostileStage, MovieReachesNothingBeyondItsOwnHost)
{
    stage->OpenMovie(stage->NewMovieId(), movies.file("hostile.swf"), {0, 0, 60, 60});
    ASSERT_TRUE(QTest::qWaitFor([&] { return WasServed("/hostile-done"); }, 120000));
    EXPECT_EQ(reached, 0);
}

// A movie whose script never ends is stopped after a second; the other movies play on.
TEST_F(HostileStage, LoopingMovieDoesNotStallTheOthers)
{
    stage->OpenMovie(stage->NewMovieId(), QStringLiteral(SKIN_SOURCE_DIR "/res/flash/weather.swf"),
                     {0, 0, 120, 60});
    const auto weather = [&] { return anchor.grab().toImage().copy(0, 0, 120, 60); };
    const QImage before = weather();
    ASSERT_TRUE(QTest::qWaitFor([&] { return weather() != before; }, 120000));

    stage->OpenMovie(stage->NewMovieId(), movies.file("loop.swf"), {150, 0, 60, 60});
    // Both movies fetched from the host: the loop runs from its first frame on.
    ASSERT_TRUE(QTest::qWaitFor([&] { return MoviesServed() == 2; }, 30000));
    // The sun turns every frame; it must still be turning well after the loop began.
    QImage last = weather();
    QElapsedTimer clock;
    clock.start();
    qint64 firstChange = -1;
    const bool playsOn = QTest::qWaitFor(
        [&] {
            const QImage now = weather();
            if (now == last)
                return false;
            last = now;
            if (firstChange < 0)
                firstChange = clock.elapsed();
            return clock.elapsed() - firstChange > 3000;
        },
        12000);
    EXPECT_TRUE(playsOn);
}

// Opaque movie pixels over the preview, the preview's own pixels through the transparent parts, the
// selected control faintly shaded, the tab overlay above the movies, nothing past the preview's edge.
TEST(StagePlayback, MoviesOverThePreviewWithOverlayAndSelectionClippedToIt)
{
    qputenv("SKINMAKER_FLASH_PLAYER", SKIN_BINARY_DIR "/flashplayer");
    if (!CControlsPreviewCtrl::FlashPlaybackAvailable())
        GTEST_SKIP() << "the flash player is not installed (scripts/deps.sh)";
    Painted window;
    window.resize(700, 500);
    auto* preview = new CControlsPreviewCtrl(&window);
    preview->setGeometry(50, 50, 600, 400);
    CPlayerCanvasCtrl plain; // the same canvas without the tab overlay
    plain.resize(600, 400);
    window.show();
    const QImage before = preview->grab().toImage();
    const QImage bare = plain.grab().toImage();
    // A header pixel that the overlay changes, away from where the movies will be.
    QPoint overlayPixel(-1, -1);
    for (int x = 160; x < 520 && overlayPixel.x() < 0; ++x) {
        for (int y = 152; y < 212 && overlayPixel.x() < 0; ++y) {
            if (qAbs(qGray(before.pixel(x, y)) - qGray(bare.pixel(x, y))) > 60)
                overlayPixel = {x, y};
        }
    }
    ASSERT_GE(overlayPixel.x(), 0);

    const QString movies = QStringLiteral(SKIN_SOURCE_DIR "/res/flash/");
    preview->SetControls({
        {CornerItemKind::Control,
         Corner::LeftTop,
         {150 - 540, 150 - 200},
         {80, 80},
         movies + "clock.swf",
         {},
         false}, // view (540, 200): 20 past the edge
        {CornerItemKind::Control,
         Corner::LeftBottom,
         {150 - 10, 630 - 300},
         {120, 60},
         movies + "weather.swf",
         {},
         false}, // view (10, 300), over the canvas
    });
    preview->SelectFlash(1);

    QImage shot;
    const bool faceDrawn = QTest::qWaitFor(
        [&] {
            shot = window.grab().toImage();
            return qGray(shot.pixel(50 + 540 + 40, 50 + 200 + 12)) > 180;
        },
        120000);
    ASSERT_TRUE(faceDrawn);
    const auto at = [&](int x, int y) { return shot.pixel(50 + x, 50 + y); };
    // The shading of the selected badge follows its movie.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            shot = window.grab().toImage();
            return qGray(at(12, 302)) >= 198;
        },
        10000));
    // The clock's light face where the blue header lay.
    EXPECT_LT(qGray(before.pixel(540 + 40, 212)), 150);
    EXPECT_LT(qAbs(qGray(at(540 + 2, 202)) - qGray(before.pixel(540 + 2, 202))), 12);
    EXPECT_TRUE(IsWidgetColor(shot.pixel(50 + 600 + 10, 50 + 240)));
    // The selected badge's transparent corner: the grey canvas (192) under the faint shade.
    EXPECT_EQ(qGray(before.pixel(12, 302)), 192);
    EXPECT_GE(qGray(at(12, 302)), 198);
    EXPECT_LE(qGray(at(12, 302)), 207);
    EXPECT_LT(qAbs(qGray(at(overlayPixel.x(), overlayPixel.y())) - qGray(before.pixel(overlayPixel))), 25);
    qunsetenv("SKINMAKER_FLASH_PLAYER");
}

// Nothing is drawn while the window is minimised or the preview is on a step not shown: the
// stage's view is hidden then (its page pauses the movies), and back with the window.
TEST(StagePlayback, MinimisedWindowOrHiddenPreviewHidesTheStage)
{
    qputenv("SKINMAKER_FLASH_PLAYER", SKIN_BINARY_DIR "/flashplayer");
    if (!CControlsPreviewCtrl::FlashPlaybackAvailable())
        GTEST_SKIP() << "the flash player is not installed (scripts/deps.sh)";
    QWidget window;
    window.resize(700, 500);
    auto* preview = new CControlsPreviewCtrl(&window);
    preview->setGeometry(0, 0, 600, 400);
    window.show();
    preview->SetControls({{CornerItemKind::Control,
                           Corner::LeftTop,
                           {100, 100},
                           {80, 80},
                           QStringLiteral(SKIN_SOURCE_DIR "/res/flash/clock.swf"),
                           {},
                           false}});
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview->StageReady(); }, 120000));
    auto* view = preview->findChild<QWebEngineView*>();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());

    window.setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(view->isHidden());
    window.setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(view->isHidden());
    preview->hide();
    EXPECT_FALSE(view->isVisible());
    preview->show();
    EXPECT_TRUE(view->isVisible());
    qunsetenv("SKINMAKER_FLASH_PLAYER");
}
