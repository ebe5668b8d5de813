#include "imaging/ColorModel.h"
#include "imaging/ColorNames.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTranslator>

namespace {

int R(ColorRef c)
{
    return c & 0xFF;
}
int G(ColorRef c)
{
    return (c >> 8) & 0xFF;
}
int B(ColorRef c)
{
    return (c >> 16) & 0xFF;
}

// The pixel 0xAARRGGBB of an ARGB32 picture as a COLORREF.
ColorRef ToColorRef(uint32_t argb)
{
    return MakeColorRef((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

} // namespace

TEST(ColorModel, RgbToHslOfPrimariesGreyAndTies)
{
    Hsl red = RgbToHsl(MakeColorRef(255, 0, 0));
    EXPECT_EQ(red.h, 0.0);
    EXPECT_EQ(red.s, 1.0);
    EXPECT_EQ(red.l, 0.5);
    EXPECT_DOUBLE_EQ(RgbToHsl(MakeColorRef(0, 255, 0)).h, 1.0 / 3.0);
    EXPECT_DOUBLE_EQ(RgbToHsl(MakeColorRef(0, 0, 255)).h, 2.0 / 3.0);
    // negative hue wraps to just below 1
    EXPECT_NEAR(RgbToHsl(MakeColorRef(255, 0, 1)).h, 1.0 - 1.0 / 1530.0, 1e-12);

    Hsl grey = RgbToHsl(MakeColorRef(128, 128, 128));
    EXPECT_EQ(grey.h, 0.0);
    EXPECT_EQ(grey.s, 0.0);
    EXPECT_DOUBLE_EQ(grey.l, 128.0 / 255.0);

    // red and green both largest: the red branch decides, (g - b) / d = 1 -> 1/6
    EXPECT_DOUBLE_EQ(RgbToHsl(MakeColorRef(255, 255, 0)).h, 1.0 / 6.0);
    // green and blue both largest: the green branch, (b - r) / d + 2 = 3 -> 1/2
    EXPECT_DOUBLE_EQ(RgbToHsl(MakeColorRef(0, 255, 255)).h, 0.5);

    // saturation above and below the middle lightness
    EXPECT_DOUBLE_EQ(RgbToHsl(MakeColorRef(100, 50, 50)).s, (50.0 / 255) / (150.0 / 255));
    EXPECT_DOUBLE_EQ(RgbToHsl(MakeColorRef(250, 200, 200)).s, (50.0 / 255) / (2.0 - 450.0 / 255));
}

TEST(ColorModel, HueToChannelSegmentsAndWrap)
{
    const double p = 0.2;
    const double q = 0.8;
    EXPECT_DOUBLE_EQ(HueToChannel(p, q, 0.1), p + (q - p) * 0.1 * 6.0);
    EXPECT_EQ(HueToChannel(p, q, 0.3), q);
    EXPECT_DOUBLE_EQ(HueToChannel(p, q, 0.6), p + (q - p) * (0.6666666865348816 - 0.6) * 6.0);
    EXPECT_EQ(HueToChannel(p, q, 0.9), p);
    // one correction only: -0.7 becomes 0.3, 1.2 becomes 0.2
    EXPECT_EQ(HueToChannel(p, q, -0.7), q);
    EXPECT_EQ(HueToChannel(p, q, 1.2), q);
    // the single-precision 1/6 boundary: just above the double 1/6 is still the rising segment
    EXPECT_GT(HueToChannel(p, q, 0.16666667), q);
    EXPECT_EQ(HueToChannel(p, q, 0.1666666716337204), q);
}

TEST(ColorModel, HslToRgbGivesTheColourPagePresets)
{
    struct Preset {
        int hue240;
        double lightness;
        double saturation;
        int r, g, b;
    };
    const Preset presets[] = {
        {145, 0.5, 0.45, 70, 113, 184},  {201, 0.6, 0.44, 197, 108, 195}, {225, 0.5, 0.5, 191, 63, 111},
        {89, 0.6, 0.3, 122, 183, 136},   {6, 0.6, 0.45, 198, 120, 107},   {30, 0.5, 0.5, 191, 159, 63},
        {110, 0.6, 0.35, 117, 188, 170}, {89, 0.7, 0.01, 177, 179, 178},  {18, 0.5, 0.5, 191, 121, 63},
    };
    for (const Preset& p : presets) {
        const ColorRef c = HslToRgb(p.hue240 / 240.0, p.lightness, p.saturation);
        EXPECT_EQ(c, MakeColorRef(p.r, p.g, p.b)) << "hue " << p.hue240;
    }
    EXPECT_EQ(HslToRgb(0.6041667, 0.5, 0.45), MakeColorRef(70, 113, 184));
    // grey: trunc(L * 255)
    EXPECT_EQ(HslToRgb(0.3, 0.5, 0.0), MakeColorRef(127, 127, 127));
    EXPECT_EQ(HslToRgb(0.0, 1.0, 0.0), MakeColorRef(255, 255, 255));
}

TEST(ColorModel, PresetsSurviveTheDescriptionNumbersAsThePageExpects)
{
    // A saved colour comes back from its rounded hue/sat/light numbers; among the presets only
    // two change, to the values the colour page knows.
    const ColorRef presets[] = {0xB87146, 0xC36CC5, 0x6F3FBF, 0x88B77A, 0x6B78C6,
                                0x3F9FBF, 0xAABC75, 0xB2B3B1, 0x3F79BF};
    for (ColorRef preset : presets) {
        const SkinColorNumbers n = DescribeColor(preset);
        const ColorRef back = HslToRgb(n.hue / 240.0, n.light / 100.0, n.sat / 100.0);
        if (preset == 0xC36CC5)
            EXPECT_EQ(back, 0xC26DC4u);
        else if (preset == 0x6B78C6)
            EXPECT_EQ(back, 0x6C79C5u);
        else
            EXPECT_EQ(back, preset) << std::hex << preset;
    }
}

TEST(ColorModel, DescriptionNumbers)
{
    const SkinColorNumbers none = DescribeColor(0);
    EXPECT_EQ(none.hue, 0);
    EXPECT_EQ(none.sat, 0);
    EXPECT_EQ(none.light, 0);

    // hue 0.99935 is written as 240, not wrapped to 0
    EXPECT_EQ(DescribeColor(MakeColorRef(255, 0, 1)).hue, 240);

    const SkinColorNumbers blue = DescribeColor(MakeColorRef(70, 113, 184));
    EXPECT_EQ(blue.hue, 145);
    EXPECT_EQ(blue.sat, 45);
    EXPECT_EQ(blue.light, 50);
}

TEST(ColorModel, RecolorPixelRules)
{
    // mid-grey under pure red: saturation 1, lightness kept
    const ColorRef red = RecolorPixel(MakeColorRef(128, 128, 128), MakeColorRef(255, 0, 0));
    EXPECT_EQ(R(red), 255);
    EXPECT_EQ(G(red), 1);
    EXPECT_EQ(B(red), 1);

    // black pixels and the "no colour" target leave the pixel alone
    EXPECT_EQ(RecolorPixel(0, MakeColorRef(255, 0, 0)), 0u);
    EXPECT_EQ(RecolorPixel(0x123456, 0), 0x123456u);

    // a white target (lightness 1, saturation 0): +0.125 lightness, saturation -1 -> grey.
    // 0x404040: L = 64/255 = 0.25098; +0.125 = 0.37598; * 255 = 95.875 -> 95
    EXPECT_EQ(RecolorPixel(MakeColorRef(64, 64, 64), MakeColorRef(255, 255, 255)), MakeColorRef(95, 95, 95));
    // lightness is clamped at 1
    EXPECT_EQ(RecolorPixel(MakeColorRef(250, 250, 250), MakeColorRef(255, 255, 255)),
              MakeColorRef(255, 255, 255));
    // a dark target lowers lightness, clamped at 0 (black result, grey since S clamps to 0)
    EXPECT_EQ(RecolorPixel(MakeColorRef(10, 10, 10), MakeColorRef(1, 1, 1)), MakeColorRef(0, 0, 0));

    // the pixel's own hue does not matter: same saturation and lightness, same result
    const ColorRef target = MakeColorRef(70, 113, 184);
    EXPECT_EQ(RecolorPixel(MakeColorRef(200, 50, 100), target),
              RecolorPixel(MakeColorRef(50, 100, 200), target));
}

TEST(ColorModel, RecolorBitmapKeepsKeyAndSourceAndClearsAlpha)
{
    QImage source(3, 2, QImage::Format_ARGB32);
    source.setPixel(0, 0, 0x00000000); // the key
    source.setPixel(1, 0, 0xFF000000); // opaque black: not the key, stays black, alpha 0
    source.setPixel(2, 0, 0xFF808080);
    source.setPixel(0, 1, 0x80808080);
    source.setPixel(1, 1, 0xFF102030);
    source.setPixel(2, 1, 0x12345678);
    const QImage before = source.copy();
    const ColorRef target = MakeColorRef(255, 0, 0);

    const QImage out = RecolorBitmap(source, target);
    ASSERT_EQ(out.format(), QImage::Format_ARGB32);
    ASSERT_EQ(out.size(), source.size());
    EXPECT_EQ(source, before);
    EXPECT_EQ(out.pixel(0, 0), 0x00000000u);
    EXPECT_EQ(out.pixel(1, 0), 0x00000000u);
    EXPECT_EQ(out.pixel(2, 0), 0x00FF0101u);
    EXPECT_EQ(out.pixel(0, 1), 0x00FF0101u);
    for (QPoint p : {QPoint(1, 1), QPoint(2, 1)}) {
        const ColorRef expected = RecolorPixel(ToColorRef(source.pixel(p)), target);
        EXPECT_EQ(out.pixel(p), (uint32_t(R(expected)) << 16 | G(expected) << 8 | B(expected)));
    }

    // a different key protects that value instead
    const QImage keyed = RecolorBitmap(source, target, 0xFF102030);
    EXPECT_EQ(keyed.pixel(1, 1), 0xFF102030u);

    // no main colour: the very same picture
    const QImage same = RecolorBitmap(source, 0);
    EXPECT_EQ(same.cacheKey(), source.cacheKey());
}

// The per-picture table must give exactly what RecolorPixel gives, for every colour.
TEST(ColorModel, RecolorBitmapMatchesRecolorPixelForEveryColour)
{
    QImage all(4096, 4096, QImage::Format_ARGB32);
    for (int y = 0; y < 4096; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(all.scanLine(y));
        for (int x = 0; x < 4096; ++x)
            row[x] = 0xFF000000u | uint32_t(y) << 12 | uint32_t(x);
    }
    for (ColorRef target : {MakeColorRef(70, 113, 184)}) {
        const QImage out = RecolorBitmap(all, target);
        int mismatches = 0;
        for (int y = 0; y < 4096 && mismatches < 5; ++y) {
            const auto* in = reinterpret_cast<const uint32_t*>(all.constScanLine(y));
            const auto* o = reinterpret_cast<const uint32_t*>(out.constScanLine(y));
            for (int x = 0; x < 4096; ++x) {
                const ColorRef e = RecolorPixel(ToColorRef(in[x]), target);
                const uint32_t expected = uint32_t(R(e)) << 16 | G(e) << 8 | B(e);
                if (o[x] != expected && ++mismatches <= 5)
                    ADD_FAILURE() << std::hex << "pixel " << in[x] << " gave " << o[x] << ", expected "
                                  << expected;
            }
        }
    }

    // Random colours under random targets, in a small picture (filled as met) and a large one
    // (filled whole), alternating so that each call starts from the other's target.
    QRandomGenerator rng(7);
    QImage small(181, 181, QImage::Format_ARGB32);
    QImage large(300, 300, QImage::Format_ARGB32);
    for (QImage* img : {&small, &large})
        for (int y = 0; y < img->height(); ++y)
            for (int x = 0; x < img->width(); ++x)
                img->setPixel(x, y, rng.generate() | 0xFF000000u);
    for (int i = 0; i < 30; ++i) {
        const ColorRef target = (i % 5 == 4) ? 0x6C79C5 : rng.generate() & 0xFFFFFF;
        const QImage& sample = (i % 2) ? large : small;
        const QImage out = RecolorBitmap(sample, target);
        for (int y = 0; y < sample.height(); ++y)
            for (int x = 0; x < sample.width(); ++x) {
                const ColorRef e = RecolorPixel(ToColorRef(sample.pixel(x, y)), target);
                ASSERT_EQ(out.pixel(x, y), uint32_t(R(e)) << 16 | G(e) << 8 | B(e))
                    << "target " << std::hex << target << " picture " << sample.width();
            }
    }
}

TEST(ColorName, NamesTheFamilyLightnessAndHexValue)
{
    EXPECT_EQ(ColorName(MakeColorRef(0x2E, 0x7B, 0xCF)), QStringLiteral("蓝色（#2E7BCF）"));
    EXPECT_EQ(ColorName(MakeColorRef(255, 0, 0)), QStringLiteral("红色（#FF0000）"));
    EXPECT_EQ(ColorName(MakeColorRef(250, 10, 30)),
              QStringLiteral("红色（#FA0A1E）")); // hue past 345 degrees
    EXPECT_EQ(ColorName(MakeColorRef(0, 80, 0)), QStringLiteral("深绿色（#005000）"));
    EXPECT_EQ(ColorName(MakeColorRef(255, 200, 220)), QStringLiteral("浅粉色（#FFC8DC）"));
    EXPECT_EQ(ColorName(MakeColorRef(0, 0, 0)), QStringLiteral("黑色（#000000）"));
    EXPECT_EQ(ColorName(MakeColorRef(255, 255, 255)), QStringLiteral("白色（#FFFFFF）"));
    EXPECT_EQ(ColorName(MakeColorRef(128, 128, 128)), QStringLiteral("灰色（#808080）"));
}

TEST(ColorName, EnglishKeepsTheNameInLowerCaseAndTheHexValueInUpperCase)
{
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral("skincore_en"), QStringLiteral(":/i18n")));
    QCoreApplication::installTranslator(&english);
    EXPECT_EQ(ColorName(MakeColorRef(0x2E, 0x7B, 0xCF)), QStringLiteral("blue (#2E7BCF)"));
    EXPECT_EQ(ColorName(MakeColorRef(0, 80, 0)), QStringLiteral("dark green (#005000)"));
    EXPECT_EQ(ColorName(MakeColorRef(255, 200, 220)), QStringLiteral("light pink (#FFC8DC)"));
    EXPECT_EQ(ColorName(MakeColorRef(200, 200, 200)), QStringLiteral("light gray (#C8C8C8)"));
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(ColorName(MakeColorRef(0, 80, 0)), QStringLiteral("深绿色（#005000）"));
}
