#include "imaging/ColorNames.h"

#include <QCoreApplication>

namespace {

// Hue families by the upper end of their hue range in degrees.
struct HueFamily {
    double below;
    const char* name;
};
constexpr HueFamily kHueFamilies[] = {
    {15, QT_TRANSLATE_NOOP("ColorNames", "红色")},  {45, QT_TRANSLATE_NOOP("ColorNames", "橙色")},
    {70, QT_TRANSLATE_NOOP("ColorNames", "黄色")},  {160, QT_TRANSLATE_NOOP("ColorNames", "绿色")},
    {200, QT_TRANSLATE_NOOP("ColorNames", "青色")}, {255, QT_TRANSLATE_NOOP("ColorNames", "蓝色")},
    {290, QT_TRANSLATE_NOOP("ColorNames", "紫色")}, {345, QT_TRANSLATE_NOOP("ColorNames", "粉色")}};

QString Tr(const char* text)
{
    return QCoreApplication::translate("ColorNames", text);
}

QString FamilyOf(ColorRef colour)
{
    const Hsl hsl = RgbToHsl(colour);
    if (hsl.l < 0.12)
        return QCoreApplication::translate("ColorNames", "黑色");
    if (hsl.l > 0.94)
        return QCoreApplication::translate("ColorNames", "白色");
    if (hsl.s < 0.12)
        return hsl.l < 0.35   ? QCoreApplication::translate("ColorNames", "深灰色")
               : hsl.l > 0.75 ? QCoreApplication::translate("ColorNames", "浅灰色")
                              : QCoreApplication::translate("ColorNames", "灰色");
    const double degrees = hsl.h * 360;
    QString family = Tr(kHueFamilies[0].name); // from 345 degrees red again
    for (const HueFamily& range : kHueFamilies) {
        if (degrees < range.below) {
            family = Tr(range.name);
            break;
        }
    }
    if (hsl.l < 0.3)
        return QCoreApplication::translate("ColorNames", "深%1").arg(family);
    if (hsl.l > 0.75)
        return QCoreApplication::translate("ColorNames", "浅%1").arg(family);
    return family;
}

} // namespace

QString ColorName(ColorRef colour)
{
    const int red = colour & 0xFF;
    const int green = (colour >> 8) & 0xFF;
    const int blue = (colour >> 16) & 0xFF;
    const QString hex = QStringLiteral("#%1%2%3")
                            .arg(red, 2, 16, QLatin1Char('0'))
                            .arg(green, 2, 16, QLatin1Char('0'))
                            .arg(blue, 2, 16, QLatin1Char('0'))
                            .toUpper();
    //: A colour's name and its hex value, as in "blue (#2E7BCF)"
    return QCoreApplication::translate("ColorNames", "%1（%2）").arg(FamilyOf(colour), hex);
}
