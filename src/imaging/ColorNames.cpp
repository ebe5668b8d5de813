#include "imaging/ColorNames.h"

namespace {

// Hue families by the upper end of their hue range in degrees.
struct HueFamily {
    double below;
    const char* name;
};
constexpr HueFamily kHueFamilies[] = {{15, "红色"},  {45, "橙色"},  {70, "黄色"},  {160, "绿色"},
                                      {200, "青色"}, {255, "蓝色"}, {290, "紫色"}, {345, "粉色"}};

QString FamilyOf(ColorRef colour)
{
    const Hsl hsl = RgbToHsl(colour);
    if (hsl.l < 0.12)
        return QStringLiteral("黑色");
    if (hsl.l > 0.94)
        return QStringLiteral("白色");
    if (hsl.s < 0.12)
        return hsl.l < 0.35   ? QStringLiteral("深灰色")
               : hsl.l > 0.75 ? QStringLiteral("浅灰色")
                              : QStringLiteral("灰色");
    const double degrees = hsl.h * 360;
    QString family = QString::fromUtf8(kHueFamilies[0].name); // from 345 degrees red again
    for (const HueFamily& range : kHueFamilies) {
        if (degrees < range.below) {
            family = QString::fromUtf8(range.name);
            break;
        }
    }
    if (hsl.l < 0.3)
        return QStringLiteral("深") + family;
    if (hsl.l > 0.75)
        return QStringLiteral("浅") + family;
    return family;
}

} // namespace

QString ColorName(ColorRef colour)
{
    const int red = colour & 0xFF;
    const int green = (colour >> 8) & 0xFF;
    const int blue = (colour >> 16) & 0xFF;
    return QStringLiteral("%1（#%2%3%4）")
        .arg(FamilyOf(colour))
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'))
        .toUpper();
}
