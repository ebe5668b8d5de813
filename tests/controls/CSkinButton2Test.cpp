#include "controls/CSkinButton2.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr QRgb kPage = 0xFF6080A0; // an opaque page colour behind the swatch

// A page with a known plain background holding one 20 x 20 swatch at (10, 10).
struct SwatchOnPage {
    QWidget page;
    CSkinButton2* swatch;

    SwatchOnPage()
    {
        page.resize(40, 40);
        page.setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, QColor::fromRgba(kPage));
        page.setPalette(palette);
        swatch = new CSkinButton2(&page);
        swatch->setGeometry(10, 10, 20, 20);
        page.show();
    }

    // The swatch's pixels as composed over the page.
    QImage Shot() { return page.grab(QRect(10, 10, 20, 20)).toImage().convertToFormat(QImage::Format_RGB32); }
};

// Source-over of a translucent ARGB colour onto an opaque one, rounded like the painter.
int Blend(int over, int under, int alpha)
{
    return (over * alpha + under * (255 - alpha) + 127) / 255;
}

void ExpectNear(QRgb actual, int red, int green, int blue, int tolerance = 2)
{
    EXPECT_NEAR(qRed(actual), red, tolerance);
    EXPECT_NEAR(qGreen(actual), green, tolerance);
    EXPECT_NEAR(qBlue(actual), blue, tolerance);
}

} // namespace

TEST(CSkinButton2, ColourKeepsChannelsAndDropsAlphaAsColorRef)
{
    CSkinButton2 swatch;
    EXPECT_EQ(swatch.GetColor(), 0x00FFFFFFu); // white until a colour is set
    swatch.SetColor(255, 255, 0, 0);
    EXPECT_EQ(swatch.GetColor(), 0x000000FFu);
    swatch.SetColor(200, 0x12, 0x34, 0x56);
    EXPECT_EQ(swatch.GetColor(), 0x00563412u);
    EXPECT_EQ(swatch.FillArgb(), 0xC8123456u);
}

TEST(CSkinButton2, SelectedSwatchIgnoresClicksUntilCleared)
{
    SwatchOnPage fixture;
    CSkinButton2& swatch = *fixture.swatch;
    QSignalSpy clicks(&swatch, &QAbstractButton::clicked);

    QTest::mouseClick(&swatch, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 1);

    swatch.SetSelected(true);
    EXPECT_TRUE(swatch.IsSelected());
    QTest::mouseClick(&swatch, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseDClick(&swatch, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&swatch, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::keyClick(&swatch, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(swatch.isDown());

    swatch.SetSelected(false);
    QTest::mouseClick(&swatch, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 2);
}

TEST(CSkinButton2, ClearingTheSelectionEndsAPress)
{
    SwatchOnPage fixture;
    CSkinButton2& swatch = *fixture.swatch;
    QTest::mousePress(&swatch, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(swatch.isDown());
    swatch.SetSelected(true);
    swatch.SetSelected(false);
    EXPECT_FALSE(swatch.isDown());
    QSignalSpy clicks(&swatch, &QAbstractButton::clicked);
    QTest::mouseRelease(&swatch, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 0);
}

TEST(CSkinButton2, HandCursorOnlyOverAnEnabledUnselectedSwatch)
{
    CSkinButton2 swatch;
    EXPECT_EQ(swatch.cursor().shape(), Qt::PointingHandCursor);
    swatch.SetSelected(true);
    EXPECT_NE(swatch.cursor().shape(), Qt::PointingHandCursor);
    swatch.SetSelected(false);
    swatch.setEnabled(false);
    EXPECT_NE(swatch.cursor().shape(), Qt::PointingHandCursor);
    swatch.setEnabled(true);
    EXPECT_EQ(swatch.cursor().shape(), Qt::PointingHandCursor);
    swatch.SetHandCursor(false);
    EXPECT_NE(swatch.cursor().shape(), Qt::PointingHandCursor);
}

TEST(CSkinButton2, FrameBlendsTranslucentLinesWithThePage)
{
    SwatchOnPage fixture;
    fixture.swatch->SetColor(255, 255, 0, 0);
    const QImage shot = fixture.Shot();
    const int pr = qRed(kPage), pg = qGreen(kPage), pb = qBlue(kPage);

    // Outer line: black at alpha 0x32 over the page; its corners at half that.
    ExpectNear(shot.pixel(5, 0), Blend(0, pr, 0x32), Blend(0, pg, 0x32), Blend(0, pb, 0x32));
    ExpectNear(shot.pixel(0, 7), Blend(0, pr, 0x32), Blend(0, pg, 0x32), Blend(0, pb, 0x32));
    ExpectNear(shot.pixel(0, 0), Blend(0, pr, 0x19), Blend(0, pg, 0x19), Blend(0, pb, 0x19));
    ExpectNear(shot.pixel(19, 19), Blend(0, pr, 0x19), Blend(0, pg, 0x19), Blend(0, pb, 0x19));
    // Inner line: white at alpha 0xC8.
    ExpectNear(shot.pixel(5, 1), Blend(255, pr, 0xC8), Blend(255, pg, 0xC8), Blend(255, pb, 0xC8));
    ExpectNear(shot.pixel(1, 1), Blend(255, pr, 0x64), Blend(255, pg, 0x64), Blend(255, pb, 0x64));
    // Fill: the upper half is the plain colour, the lower half darkened by the shade.
    ExpectNear(shot.pixel(10, 4), 255, 0, 0, 0);
    const QRgb shaded = shot.pixel(10, 12);
    EXPECT_LT(qRed(shaded), 250);
    EXPECT_GT(qRed(shaded), 220);
    EXPECT_LT(qRed(shot.pixel(10, 11)), qRed(shot.pixel(10, 16)) + 1); // the shade fades downwards
}

TEST(CSkinButton2, PressedAndSelectedLoseTheInnerLine)
{
    SwatchOnPage fixture;
    CSkinButton2& swatch = *fixture.swatch;
    swatch.SetColor(255, 0, 0, 255);
    const QRgb normal = fixture.Shot().pixel(5, 1);

    QTest::mousePress(&swatch, Qt::LeftButton, {}, QPoint(5, 5));
    const QImage pressed = fixture.Shot();
    EXPECT_EQ(pressed.pixel(5, 1), kPage); // the page shows where the white line was
    EXPECT_NE(pressed.pixel(5, 1), normal);
    ExpectNear(pressed.pixel(10, 4), 0, 0, 255, 0);
    QTest::mouseRelease(&swatch, Qt::LeftButton, {}, QPoint(5, 5));

    swatch.SetSelected(true);
    const QImage selected = fixture.Shot();
    EXPECT_EQ(selected.pixel(5, 1), kPage);
    // The chosen swatch has a darker outline than the others.
    EXPECT_LT(qRed(selected.pixel(5, 0)), qRed(normal));
}

TEST(CSkinButton2, DisabledSwatchShowsNoFrameNorFill)
{
    SwatchOnPage fixture;
    fixture.swatch->SetColor(255, 255, 0, 0);
    fixture.swatch->setEnabled(false);
    const QImage shot = fixture.Shot();
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ASSERT_EQ(shot.pixel(x, y), kPage) << x << "," << y;
}

TEST(CSkinButton2, IconTransformsKeepAlphaAndClamp)
{
    QImage icon(3, 1, QImage::Format_ARGB32);
    icon.setPixel(0, 0, qRgba(100, 150, 250, 255));
    icon.setPixel(1, 0, qRgba(0, 0, 0, 128));
    icon.setPixel(2, 0, qRgba(255, 255, 255, 0));

    const QImage lit = CSkinButton2::HighlightedIcon(icon);
    EXPECT_EQ(lit.pixel(0, 0), qRgba(138, 188, 255, 255)); // +38.25 each, clamped at 255
    EXPECT_EQ(lit.pixel(1, 0), qRgba(38, 38, 38, 128));
    EXPECT_EQ(qAlpha(lit.pixel(2, 0)), 0);

    const QImage grey = CSkinButton2::GreyIcon(icon);
    EXPECT_EQ(grey.pixel(0, 0), qRgba(140, 140, 140, 255)); // 40 + 75 + 25
    EXPECT_EQ(grey.pixel(1, 0), qRgba(0, 0, 0, 128));
    EXPECT_TRUE(CSkinButton2::GreyIcon(QImage()).isNull());
}

TEST(CSkinButton2, MissingIconResourceLeavesNoIcon)
{
    CSkinButton2 swatch;
    EXPECT_FALSE(swatch.SetIcon(99999, false));
    EXPECT_FALSE(swatch.HasIcon());
    // A failed load also drops the icon loaded before.
    ASSERT_TRUE(swatch.SetIcon(158, false));
    EXPECT_FALSE(swatch.SetIcon(99999, false));
    EXPECT_FALSE(swatch.HasIcon());
}

TEST(CSkinButton2, PaletteIconShowsHighlightedWhenSelectedAndGreyWhenDisabled)
{
    SwatchOnPage fixture;
    CSkinButton2& swatch = *fixture.swatch;
    swatch.SetColor(200, 200, 0, 0);
    ASSERT_TRUE(swatch.SetIcon(158, false));
    ASSERT_TRUE(swatch.HasIcon());

    // Unselected: frame and fill only, the icon is not drawn.
    const QImage plain = fixture.Shot();
    swatch.SetSelected(true);
    const QImage selected = fixture.Shot();
    EXPECT_NE(plain, selected);

    swatch.SetSelected(false);
    swatch.setEnabled(false);
    const QImage disabled = fixture.Shot();
    int greyIconPixels = 0;
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 18; ++x) {
            const QRgb pixel = disabled.pixel(x, y);
            if (pixel == kPage)
                continue;
            // Grey icon over the page: the page's tint may show through the icon's soft edges only.
            if (qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel))
                ++greyIconPixels;
        }
    }
    EXPECT_GT(greyIconPixels, 20);
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(disabled.pixel(x, 19), kPage); // no frame under the icon
}

TEST(CSkinButton2, IconOnlyDrawsTheIconWithoutFrame)
{
    SwatchOnPage fixture;
    CSkinButton2& swatch = *fixture.swatch;
    ASSERT_TRUE(swatch.SetIcon(158, true));
    const QImage shot = fixture.Shot();
    EXPECT_EQ(shot.pixel(19, 10), kPage); // right of the 18-pixel icon: no frame line
    EXPECT_EQ(shot.pixel(10, 19), kPage);
}

TEST(CSkinButton2, HoverDarkensTheOutlineUntilTheMouseLeaves)
{
    SwatchOnPage fixture;
    CSkinButton2& swatch = *fixture.swatch;
    const QRgb normal = fixture.Shot().pixel(5, 0);
    QTest::mouseMove(&swatch, QPoint(6, 6));
    EXPECT_TRUE(swatch.IsHovered());
    EXPECT_LT(qRed(fixture.Shot().pixel(5, 0)), qRed(normal));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&swatch, &leave);
    EXPECT_FALSE(swatch.IsHovered());
    EXPECT_EQ(fixture.Shot().pixel(5, 0), normal);
}
