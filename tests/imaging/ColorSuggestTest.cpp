#include "imaging/ColorSuggest.h"
#include "imaging/ImageLoading.h"

#include <QPainter>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <limits>

namespace {

// Pictures with some grain, as photos have: every channel moved by up to +-grain.
class Scene {
public:
    Scene(int width, int height) : m_image(width, height, QImage::Format_ARGB32) { m_image.fill(Qt::black); }
    Scene& Fill(const QRect& area, QColor colour)
    {
        QPainter(&m_image).fillRect(area, colour);
        return *this;
    }
    Scene& Disc(const QRect& box, QColor colour)
    {
        QPainter painter(&m_image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(box);
        return *this;
    }
    QImage Grainy(int grain)
    {
        QRandomGenerator rng(7);
        QImage out = m_image;
        for (int y = 0; y < out.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < out.width(); ++x) {
                const auto move = [&](int c) {
                    return std::clamp(c + rng.bounded(-grain, grain + 1), 0, 255);
                };
                row[x] = qRgb(move(qRed(row[x])), move(qGreen(row[x])), move(qBlue(row[x])));
            }
        }
        return out;
    }

private:
    QImage m_image;
};

SkinRect Whole(const QImage& image)
{
    return {0, 0, image.width(), image.height()};
}

int HueDistance(int a, int b)
{
    const int d = std::abs(a - b) % 360;
    return std::min(d, 360 - d);
}

} // namespace

TEST(ColorSuggest, SkyWithDarkBandGivesBlueFirst)
{
    const QColor sky(120, 180, 235);
    const QImage picture =
        Scene(700, 61).Fill({0, 0, 700, 61}, sky).Fill({0, 45, 700, 16}, {30, 30, 35}).Grainy(12);
    const auto suggestions = SuggestColors(picture, Whole(picture));
    ASSERT_FALSE(suggestions.empty());
    EXPECT_LE(HueDistance(suggestions[0].hue, sky.hslHue()), 10);
    EXPECT_NE(suggestions[0].color, 0u);
}

TEST(ColorSuggest, SmallRedSunOnGreySeaIsSuggestedAndGreyIsNot)
{
    const QImage picture = Scene(700, 200)
                               .Fill({0, 0, 700, 200}, {128, 130, 132})
                               .Disc({300, 60, 50, 50}, {220, 30, 20})
                               .Grainy(15);
    const auto suggestions = SuggestColors(picture, Whole(picture));
    ASSERT_EQ(suggestions.size(), 1u); // the sun is 1.4 % of the picture but its only colour
    EXPECT_LE(HueDistance(suggestions[0].hue, 3), 10);
    EXPECT_GT(int(suggestions[0].color & 0xFF), 150);
}

TEST(ColorSuggest, GreyPictureGivesOneGreyAndBlackIsNeverNoColour)
{
    const QImage grey =
        Scene(400, 100).Fill({0, 0, 400, 50}, {90, 90, 90}).Fill({0, 50, 400, 50}, {170, 170, 170}).Grainy(6);
    const auto suggestions = SuggestColors(grey, Whole(grey));
    ASSERT_EQ(suggestions.size(), 1u);
    const ColorRef c = suggestions[0].color;
    EXPECT_LE(std::abs(int(c & 0xFF) - int(c >> 16 & 0xFF)), 4);
    EXPECT_EQ(suggestions[0].sharePermille, 1000);

    const QImage black = Scene(50, 50).Grainy(0);
    const auto none = SuggestColors(black, Whole(black));
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].color, MakeColorRef(1, 1, 1)); // 0 would mean "no main colour"
}

TEST(ColorSuggest, TwoHuesComeInOrderOfShareAndCloseHuesMerge)
{
    const QImage picture = Scene(1000, 100)
                               .Fill({0, 0, 600, 100}, {60, 160, 70})
                               .Fill({600, 0, 400, 100}, {230, 140, 40})
                               .Grainy(10);
    const auto suggestions = SuggestColors(picture, Whole(picture));
    ASSERT_EQ(suggestions.size(), 2u);
    EXPECT_LE(HueDistance(suggestions[0].hue, QColor(60, 160, 70).hslHue()), 10);
    EXPECT_LE(HueDistance(suggestions[1].hue, QColor(230, 140, 40).hslHue()), 10);
    EXPECT_NEAR(suggestions[0].sharePermille, 600, 10);
    EXPECT_NEAR(suggestions[1].sharePermille, 400, 10);

    // Two blues 8 degrees apart are one family: one suggestion for both.
    const QImage blues = Scene(1000, 100)
                             .Fill({0, 0, 500, 100}, QColor::fromHsl(210, 200, 120))
                             .Fill({500, 0, 500, 100}, QColor::fromHsl(218, 200, 120))
                             .Grainy(4);
    const auto merged = SuggestColors(blues, Whole(blues));
    ASSERT_EQ(merged.size(), 1u);
    EXPECT_GE(merged[0].sharePermille, 990);
}

TEST(ColorSuggest, VividAccentBeatsDullAreaOnlyWhenLargeEnough)
{
    const QColor dull(190, 175, 150); // sand: chroma about 12
    const QColor vivid(40, 90, 230);
    const auto first = [&](int accentWidth) {
        const QImage picture =
            Scene(1000, 100).Fill({0, 0, 1000, 100}, dull).Fill({0, 0, accentWidth, 100}, vivid).Grainy(6);
        return SuggestColors(picture, Whole(picture)).at(0).hue;
    };
    EXPECT_LE(HueDistance(first(60), dull.hslHue()), 10);
    EXPECT_LE(HueDistance(first(300), vivid.hslHue()), 10);
}

TEST(ColorSuggest, OnlyTheOpaqueCropCounts)
{
    QImage picture = Scene(200, 100)
                         .Fill({0, 0, 100, 100}, {220, 30, 20})
                         .Fill({100, 0, 100, 100}, {30, 60, 220})
                         .Grainy(0);
    const auto right = SuggestColors(picture, {100, 0, 200, 100});
    ASSERT_EQ(right.size(), 1u);
    EXPECT_LE(HueDistance(right[0].hue, 227), 5);
    EXPECT_TRUE(SuggestColors(picture, {300, 0, 400, 100}).empty());
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(SuggestColors(picture, {kMin, kMin, kMax, kMax}), SuggestColors(picture, Whole(picture)));
    EXPECT_TRUE(SuggestColors(QImage(), {0, 0, 10, 10}).empty());
    picture.fill(qRgba(220, 30, 20, 100));
    EXPECT_TRUE(SuggestColors(picture, Whole(picture)).empty());
}

// The sample photo's suggestions, pinned: any change to sampling, clustering or ranking shows here.
TEST(ColorSuggest, SamplePhotoSuggestionsArePinned)
{
    const QImage photo = DecodePictureFile(QStringLiteral(SKIN_SOURCE_DIR "/res/sample/sample.jpg"));
    ASSERT_FALSE(photo.isNull());
    const std::vector<ColorSuggestion> expected = {{MakeColorRef(0xE9, 0x87, 0x69), 462, 14},
                                                   {MakeColorRef(0xA9, 0x6B, 0x91), 378, 323},
                                                   {MakeColorRef(0xFA, 0xAA, 0x64), 196, 28},
                                                   {MakeColorRef(0xD8, 0x68, 0x79), 177, 351}};
    EXPECT_EQ(SuggestColors(photo, {0, 222, 1800, 378}), expected);
}
