#include "skin/SkinViewPicture.h"
#include "imaging/CSkinImage.h"
#include "imaging/ImageLoading.h"

#include <gtest/gtest.h>

namespace {

// 700 x 61, every column its own colour; the stretch region is columns 100..599.
QImage PatternHeader()
{
    QImage image(700, 61, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, x / 256 * 60 + y, 200 - y));
    }
    return image;
}

SkinView ViewOf(StretchMode mode, SkinRect stretch = {100, 0, 600, 61})
{
    SkinView view;
    view.header = PatternHeader();
    view.crop = {0, 0, 700, 61};
    view.stretch = stretch;
    view.mode = mode;
    return view;
}

QImage Columns(const QImage& image, int x, int width)
{
    return image.copy(x, 0, width, image.height()).convertToFormat(QImage::Format_RGB32);
}

TEST(SkinViewPicture, HeaderBandKeepsTheOuterStripsAndStretchesOrTilesTheMiddle)
{
    const QImage header = PatternHeader();
    for (StretchMode mode : {StretchMode::Stretch, StretchMode::Tile}) {
        SkinViewPicture picture;
        picture.SetView(ViewOf(mode));
        for (int window : {700, 704, 900, 1400}) {
            SCOPED_TRACE(window);
            const QImage band = picture.HeaderBand(window);
            ASSERT_EQ(band.size(), QSize(window - 4, 61));
            EXPECT_EQ(Columns(band, 0, 100), Columns(header, 0, 100));
            EXPECT_EQ(Columns(band, band.width() - 100, 100), Columns(header, 600, 100));
            const int span = band.width() - 200;
            if (mode == StretchMode::Tile) {
                for (int k = 0; k < span; ++k)
                    ASSERT_EQ(band.pixel(100 + k, 30), header.pixel(100 + k % 500, 30)) << k;
            } else {
                const QImage middle =
                    Opaque(CropScaled(header, {100, 0, 600, 61}, {span, 61}, ResampleFilter::Hermite));
                EXPECT_EQ(Columns(band, 100, span), middle.convertToFormat(QImage::Format_RGB32));
            }
        }
        // At the default window the header is shown exactly as it was cut.
        EXPECT_EQ(picture.HeaderBand(704), header.convertToFormat(QImage::Format_RGB32));
    }
}

TEST(SkinViewPicture, WithoutAStretchRegionTheWholeHeaderFillsTheBand)
{
    SkinViewPicture picture;
    picture.SetView(ViewOf(StretchMode::Tile, SkinRect{}));
    EXPECT_EQ(picture.HeaderBand(704), PatternHeader().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(picture.HeaderBand(1000).size(), QSize(996, 61));
    EXPECT_EQ(picture.MinimumWidth(), 5);
    picture.SetView(ViewOf(StretchMode::Stretch));
    EXPECT_EQ(picture.MinimumWidth(), 204);
}

TEST(SkinViewPicture, TheCanvasGrowsForItemsOutsideTheWindow)
{
    SkinView view = ViewOf(StretchMode::Stretch);
    QImage decoration(40, 40, QImage::Format_ARGB32);
    decoration.fill(qRgb(255, 0, 0));
    view.decorations.append({Corner::LeftTop, QPoint(20, 30), decoration.size(), decoration, "topleft.png"});
    view.controls.append({Corner::RightBottom, QPoint(60, 50), QSize(50, 40), {}, "/x/bottomright.swf"});
    view.controls.append({Corner::RightTop, QPoint(-10, 20), QSize(30, 30), {}, "/x/topright.swf"});
    SkinViewPicture picture;
    picture.SetView(view);

    const SkinViewPicture::Layout layout = picture.LayOut({900, 480});
    EXPECT_EQ(layout.canvas, QSize(20 + 900 + 40, 30 + 480));
    EXPECT_EQ(layout.window, QRect(20, 30, 900, 480));
    EXPECT_EQ(layout.decorations.value(0), QRect(0, 0, 40, 40));
    EXPECT_EQ(layout.controls.value(0), QRect(20 + 840, 30 + 430, 50, 40));
    EXPECT_EQ(layout.controls.value(1), QRect(20 + 910, 30 - 20, 30, 30));

    const QImage boxes = picture.Render({900, 480}, true);
    const QImage plain = picture.Render({900, 480}, false);
    ASSERT_EQ(boxes.size(), layout.canvas);
    EXPECT_EQ(boxes.pixel(5, 5), qRgb(255, 0, 0)) << "the decoration outside the frame";
    EXPECT_EQ(qAlpha(boxes.pixel(935, 5)), 0) << "nothing beyond the window and the items";
    EXPECT_EQ(boxes.pixel(860, 460), qRgb(255, 128, 0)) << "the control's outline";
    EXPECT_NE(plain.pixel(860, 460), qRgb(255, 128, 0));
    // The header sits 2 pixels inside the frame, under the decoration's reach.
    const QImage band = picture.HeaderBand(900);
    EXPECT_EQ(boxes.pixel(20 + 2 + 60, 30 + 2 + 59), band.pixel(60, 59));
}

} // namespace
