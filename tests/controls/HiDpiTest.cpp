// The picture views at the screen's device pixel ratio. ctest runs these tests twice: as they
// come (ratio 1) and with QT_SCALE_FACTOR=2, where every view must show the picture's own detail
// at device pixels instead of a 1x rendition enlarged into 2 x 2 blocks.
#include "ControlTestSupport.h"
#include "controls/CPictureCtrl.h"
#include "controls/CPictureLabel.h"
#include "controls/CPreviewCtrl.h"
#include "controls/CSkinButton2.h"
#include "imaging/CSkinImage.h"
#include "imaging/ImageLoading.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace skintest;

namespace {

// Green noise: every pixel differs from its neighbours, so enlargement shows as equal pairs.
QImage GreenNoise(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            image.setPixel(x, y, qRgb(20, 64 + int((state >> 16) % 160), 30));
        }
    }
    return image;
}

double ExpectedRatio()
{
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    return factor.isEmpty() ? 1.0 : factor.toDouble();
}

// The widget's pixels as the screen gets them (device pixels).
QImage DevicePixels(QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Within rect (device pixels): the share of horizontal pixel pairs (2k, 2k + 1) that are equal.
// An enlarged 1x rendition makes all of them equal.
double EqualPairShare(const QImage& image, const QRect& rect)
{
    int equal = 0;
    int pairs = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left() & ~1; x + 1 <= rect.right(); x += 2) {
            equal += image.pixel(x, y) == image.pixel(x + 1, y);
            ++pairs;
        }
    }
    return pairs == 0 ? 1.0 : double(equal) / pairs;
}

// The mean difference of the green channels of horizontally neighbouring pixels within rect.
double MeanNeighbourDifference(const QImage& image, const QRect& rect)
{
    double sum = 0;
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x < rect.right(); ++x) {
            sum += std::abs(qGreen(image.pixel(x, y)) - qGreen(image.pixel(x + 1, y)));
            ++count;
        }
    }
    return count == 0 ? 0 : sum / count;
}

class HiDpi : public ::testing::Test {
protected:
    void SetUp() override
    {
        ratio = qApp->devicePixelRatio();
        ASSERT_EQ(ratio, ExpectedRatio()) << "the platform did not apply QT_SCALE_FACTOR";
        ASSERT_TRUE(picture->LoadFromImage(GreenNoise(1400, 600)));
        parent.resize(760, 360);
    }

    double ratio = 1.0;
    SharedPicture picture = std::make_shared<CSkinImage>();
    QWidget parent;
};

TEST_F(HiDpi, CropControlShowsThePictureResampledToDevicePixels)
{
    auto* ctrl = new CPictureCtrl(&parent);
    ctrl->setGeometry(0, 0, 700, 300);
    parent.show();
    ctrl->SetPicture(picture);
    const QImage shown = DevicePixels(ctrl);
    ASSERT_EQ(shown.size(), QSize(700, 300) * ratio);

    // The crop (rows 119..179 of the display) at full strength is the picture resampled, with the
    // same filter, to the display's size in device pixels; at ratio 2 that is the picture itself.
    CSkinImage fresh;
    ASSERT_TRUE(fresh.LoadFromImage(GreenNoise(1400, 600)));
    const QImage* expected =
        fresh.GetScaledBitmap(DeviceLength(700, ratio), DeviceLength(300, ratio), ResampleFilter::Hermite);
    ASSERT_NE(expected, nullptr);
    const QRect inside(DeviceLength(20, ratio), DeviceLength(125, ratio), DeviceLength(660, ratio),
                       DeviceLength(50, ratio)); // clear of the corner handles
    int differing = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            differing += shown.pixel(x, y) != (expected->pixel(x, y) | 0xFF000000u);
    }
    EXPECT_EQ(differing, 0);
    if (ratio >= 2) {
        EXPECT_LT(EqualPairShare(shown, inside), 0.1);
    }

    // Outside the crop the same detail at half strength.
    const QRect dimmed(0, DeviceLength(20, ratio), shown.width(), DeviceLength(60, ratio));
    if (ratio >= 2) {
        EXPECT_LT(EqualPairShare(shown, dimmed), 0.1);
    }
}

TEST_F(HiDpi, PreviewShowsTheHeaderAtDevicePixels)
{
    auto* preview = new CPreviewCtrl(&parent);
    preview->setGeometry(10, 10, 704, 141);
    parent.show();
    preview->SetPicture(picture);
    // 1400 x 124 picture pixels onto the 700 x 62 header inset: at ratio 2 one to one.
    preview->SetPictureRect(0, 200, 1400, 324);
    const QImage shown = DevicePixels(preview);
    ASSERT_EQ(shown.size(), QSize(704, 141) * ratio);

    const QRect header(DeviceLength(2, ratio), DeviceLength(30, ratio), DeviceLength(700, ratio),
                       DeviceLength(30, ratio));
    EXPECT_LT(EqualPairShare(shown, header), 0.2);
    if (ratio >= 2) {
        // Neighbouring screen pixels differ as much as the picture's own pixels do (the tab
        // captions' shading dims them a little); an enlarged 1x header would halve the figure.
        const double own = MeanNeighbourDifference(picture->Picture(), QRect(0, 226, 1400, 60));
        EXPECT_GT(MeanNeighbourDifference(shown, header), 0.75 * own);
    }
}

// The built-in picture at path as a screen of the ratio shows it, pixel for pixel: its own 2x
// rendition above 1, over ground.
QImage IconAsShown(const QString& path, double ratio, QColor ground)
{
    QImage icon = QImage(ratio > 1 ? TwiceSizePath(path) : path).convertToFormat(QImage::Format_ARGB32);
    icon.setDevicePixelRatio(1); // the reader tags an "@2x" file with 2
    QImage shown(icon.size(), QImage::Format_RGB32);
    shown.fill(ground);
    QPainter(&shown).drawImage(0, 0, icon);
    return shown;
}

// The help icon and the palette icon come pixel for pixel from their rendition for the ratio:
// the 1x pictures at 1, the ones drawn at twice the size at 2 (not the 1x ones enlarged).
TEST_F(HiDpi, IconsArePaintedFromTheirRenditionForTheRatio)
{
    auto* help = new CPictureLabel(&parent);
    ASSERT_TRUE(help->LoadFromResource(173, ResourceType::Bitmap));
    help->setGeometry(0, 0, 21, 20);
    auto* palette = new CSkinButton2(&parent);
    ASSERT_TRUE(palette->SetIcon(158, true));
    palette->setGeometry(30, 0, 18, 18);
    parent.show();

    const QImage helpShown = DevicePixels(help);
    ASSERT_EQ(helpShown.size(), QSize(21, 20) * ratio);
    EXPECT_TRUE(helpShown == IconAsShown(BitmapResourcePath(173), ratio, Qt::black));

    const QImage paletteShown = DevicePixels(palette);
    ASSERT_EQ(paletteShown.size(), QSize(18, 18) * ratio);
    const QColor ground = paletteShown.pixelColor(0, 0); // the icon leaves its corners clear
    EXPECT_TRUE(paletteShown == IconAsShown(PngResourcePath(158), ratio, ground));
}

} // namespace
