#pragma once
// The colour model: RGB <-> HSL with the exact arithmetic of the description file's numbers,
// and recolouring of pictures with a main colour. Colours are COLORREF values 0x00BBGGRR.
#include <QImage>
#include <cstdint>

using ColorRef = uint32_t;

constexpr ColorRef MakeColorRef(int red, int green, int blue)
{
    return static_cast<ColorRef>(red & 0xFF) | static_cast<ColorRef>(green & 0xFF) << 8 |
           static_cast<ColorRef>(blue & 0xFF) << 16;
}

struct Hsl {
    double h = 0; // 0..1
    double s = 0;
    double l = 0;
};

Hsl RgbToHsl(ColorRef colour);
ColorRef HslToRgb(double h, double l, double s); // argument order hue, lightness, saturation
double HueToChannel(double p, double q, double h);
ColorRef RecolorPixel(ColorRef pixel, ColorRef target);
// A recoloured ARGB32 copy; every pixel whose 32-bit value equals key is left as it is, the
// others get the recoloured red, green, blue with alpha 0. Target 0 returns the source unchanged.
QImage RecolorBitmap(const QImage& bitmap, ColorRef target, uint32_t key = 0);

// The description file's numbers of a main colour.
struct SkinColorNumbers {
    int hue = 0;   // 0..240
    int sat = 0;   // 0..100
    int light = 0; // 0..100
    bool operator==(const SkinColorNumbers&) const = default;
};
SkinColorNumbers DescribeColor(ColorRef colour);
// The colour the numbers stand for, to their precision: hue / 240, lightness / 100, saturation / 100.
ColorRef ColorOfNumbers(const SkinColorNumbers& numbers);
