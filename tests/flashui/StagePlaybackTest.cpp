// Generated movies played by the controls preview in its transparent stage page over the painted
// player picture, inside a painted window.
#include "flash/ui/CControlsPreviewCtrl.h"

#include <QPainter>
#include <QTest>
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

} // namespace

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
        {0, {150 - 540, 150 - 200}, {80, 80}, movies + "clock.swf"},   // view (540, 200): 20 past the edge
        {2, {150 - 10, 630 - 300}, {120, 60}, movies + "weather.swf"}, // view (10, 300), over the canvas
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
