#include "imaging/ColorModel.h"

#include <algorithm>
#include <vector>

namespace {

constexpr double kByteScale = 1.0 / 255.0;              // 0.00392156862745098
constexpr double kSixth = 1.0 / 6.0;                    // 0.16666666666666666
constexpr double kSixthSingle = 0.1666666716337204;     // 1/6 rounded to single precision
constexpr double kTwoThirdsSingle = 0.6666666865348816; // 2/3 rounded to single precision
constexpr float kHueShift = 0.6666667f;

int Red(ColorRef c)
{
    return static_cast<int>(c & 0xFF);
}
int Green(ColorRef c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(ColorRef c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

int ToByte(double channel)
{
    // trunc toward zero; the channel is 0..1, the clamp only guards against rounding
    const double v = 255.0 * channel;
    return v <= 0.0 ? 0 : (v >= 255.0 ? 255 : static_cast<int>(v));
}

double Clamp01(double v)
{
    return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v);
}

// Saturation and lightness of a colour whose largest channel byte is hi and smallest lo.
// They depend on nothing else, which the recolouring table relies on.
void SaturationLightness(int hi, int lo, double& s, double& l)
{
    const double max = hi * kByteScale;
    const double min = lo * kByteScale;
    l = (max + min) * 0.5;
    if (max == min) {
        s = 0.0;
        return;
    }
    const double d = max - min;
    s = l < 0.5 ? d / (max + min) : d / (2.0 - max - min);
}

// The recolouring of a pixel, given its saturation and lightness and the target's.
ColorRef RecolorFromSL(double sp, double lp, const Hsl& target)
{
    double h = target.h;
    if (h > 1.0)
        h -= 1.0;
    if (h < 0.0)
        h += 1.0;
    const double l = Clamp01(lp + (target.l - 0.5) * 0.25);
    const double s = Clamp01(sp + (target.s - 0.5) * 2.0);
    return HslToRgb(h, l, s);
}

// Recoloured pixels (0x00RRGGBB, alpha 0) of one target, per (largest, smallest) channel byte
// of the source pixel. A pixel's recolouring depends on nothing else (its hue is not used), so
// at most 32896 evaluations of the per-pixel rules cover every colour.
class RecolorTable {
public:
    static constexpr int kPairs = 256 * 257 / 2;

    RecolorTable() : m_slots(256 * 256, 0) {}

    void SetTarget(ColorRef target)
    {
        if (target == m_target)
            return;
        m_target = target;
        m_hsl = RgbToHsl(target);
        m_complete = false;
        std::fill(m_slots.begin(), m_slots.end(), 0u);
    }

    void FillAll()
    {
        if (m_complete)
            return;
        for (uint32_t hi = 0; hi < 256; ++hi)
            for (uint32_t lo = 0; lo <= hi; ++lo)
                m_slots[hi << 8 | lo] = Compute(hi, lo);
        m_complete = true;
    }

    uint32_t Filled(uint32_t hi, uint32_t lo) const { return m_slots[hi << 8 | lo] & 0x00FFFFFFu; }

    uint32_t Get(uint32_t hi, uint32_t lo)
    {
        uint32_t& slot = m_slots[hi << 8 | lo];
        if (!(slot & kFilled))
            slot = Compute(hi, lo);
        return slot & 0x00FFFFFFu;
    }

private:
    static constexpr uint32_t kFilled = 0x80000000u;

    uint32_t Compute(uint32_t hi, uint32_t lo) const
    {
        ColorRef result = 0; // pure black (hi == 0) is never changed
        if (hi != 0) {
            double s = 0;
            double l = 0;
            SaturationLightness(int(hi), int(lo), s, l);
            result = RecolorFromSL(s, l, m_hsl);
        }
        return kFilled | static_cast<uint32_t>(Red(result)) << 16 |
               static_cast<uint32_t>(Green(result)) << 8 | static_cast<uint32_t>(Blue(result));
    }

    ColorRef m_target = 0;
    Hsl m_hsl;
    bool m_complete = false;
    std::vector<uint32_t> m_slots;
};

} // namespace

Hsl RgbToHsl(ColorRef colour)
{
    const double r = Red(colour) * kByteScale;
    const double g = Green(colour) * kByteScale;
    const double b = Blue(colour) * kByteScale;
    const double max = std::max(r, std::max(g, b));
    const double min = std::min(r, std::min(g, b));
    Hsl out;
    out.l = (max + min) * 0.5;
    if (max == min)
        return out;
    const double d = max - min;
    out.s = out.l < 0.5 ? d / (max + min) : d / (2.0 - max - min);
    double h;
    if (r == max)
        h = (g - b) / d;
    else if (g == max)
        h = (b - r) / d + 2.0;
    else
        h = (r - g) / d + 4.0;
    h *= kSixth;
    if (h < 0.0)
        h += 1.0;
    out.h = h;
    return out;
}

double HueToChannel(double p, double q, double h)
{
    if (h < 0.0)
        h += 1.0;
    else if (h > 1.0)
        h -= 1.0;
    if (h < kSixthSingle)
        return p + (q - p) * h * 6.0;
    if (h < 0.5)
        return q;
    if (h < kTwoThirdsSingle)
        return p + (q - p) * (kTwoThirdsSingle - h) * 6.0;
    return p;
}

ColorRef HslToRgb(double hue, double lightness, double saturation)
{
    const float h = static_cast<float>(hue);
    const float l = static_cast<float>(lightness);
    const float s = static_cast<float>(saturation);
    if (s == 0.0f) {
        const int v = ToByte(l);
        return MakeColorRef(v, v, v);
    }
    // q and p are computed in double and held in single precision.
    const float q = l <= 0.5f ? static_cast<float>(double(l) * (double(s) + 1.0))
                              : static_cast<float>((double(l) + double(s)) - double(l) * double(s));
    const float p = static_cast<float>(2.0 * double(l) - double(q));
    const float hRed = static_cast<float>(double(h) - double(kHueShift));
    const float hBlue = static_cast<float>(double(h) + double(kHueShift));
    const int red = ToByte(HueToChannel(p, q, hRed));
    const int green = ToByte(HueToChannel(p, q, h));
    const int blue = ToByte(HueToChannel(p, q, hBlue));
    return MakeColorRef(red, green, blue);
}

ColorRef RecolorPixel(ColorRef pixel, ColorRef target)
{
    if (pixel == 0 || target == 0)
        return pixel;
    const Hsl t = RgbToHsl(target);
    const Hsl px = RgbToHsl(pixel);
    return RecolorFromSL(px.s, px.l, t);
}

QImage RecolorBitmap(const QImage& bitmap, ColorRef target, uint32_t key)
{
    if (target == 0 || bitmap.isNull())
        return bitmap;
    QImage copy = bitmap.convertToFormat(QImage::Format_ARGB32);
    if (copy.isNull())
        return QImage();
    // detach so that the source's pixels stay as they are
    uchar* bits = copy.bits();
    if (bits == nullptr)
        return QImage();

    // One colour choice recolours several pictures in a row: the table lives on per thread.
    thread_local RecolorTable table;
    table.SetTarget(target);
    const int width = copy.width();
    const int height = copy.height();
    const bool lazy = qint64(width) * height < RecolorTable::kPairs;
    if (!lazy)
        table.FillAll();
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(bits + static_cast<qsizetype>(y) * copy.bytesPerLine());
        for (int x = 0; x < width; ++x) {
            const uint32_t argb = row[x];
            if (argb == key)
                continue;
            const uint32_t r = (argb >> 16) & 0xFF;
            const uint32_t g = (argb >> 8) & 0xFF;
            const uint32_t b = argb & 0xFF;
            const uint32_t hi = std::max(r, std::max(g, b));
            const uint32_t lo = std::min(r, std::min(g, b));
            row[x] = lazy ? table.Get(hi, lo) : table.Filled(hi, lo);
        }
    }
    return copy;
}

SkinColorNumbers DescribeColor(ColorRef colour)
{
    const Hsl hsl = RgbToHsl(colour);
    SkinColorNumbers n;
    n.hue = static_cast<int>(hsl.h * 240.0 + 0.5);
    n.sat = static_cast<int>(hsl.s * 100.0 + 0.5);
    n.light = static_cast<int>(hsl.l * 100.0 + 0.5);
    return n;
}

ColorRef ColorOfNumbers(const SkinColorNumbers& numbers)
{
    return HslToRgb(numbers.hue * (1.0 / 240), numbers.light * 0.01, numbers.sat * 0.01);
}
