#include "imaging/TextContrast.h"

#include <algorithm>
#include <cmath>

namespace {

double LinearChannel(double value)
{
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

QColor Mix(const QColor& from, const QColor& to, double t)
{
    const auto channel = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

} // namespace

double RelativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * LinearChannel(rgb.redF()) + 0.7152 * LinearChannel(rgb.greenF()) +
           0.0722 * LinearChannel(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& wanted, const QColor& background, double least)
{
    const QColor start = wanted.toRgb();
    if (ContrastRatio(start, background) >= least)
        return start;
    // Towards the end of the scale that stands further from the background.
    const QColor end = ContrastRatio(Qt::white, background) >= ContrastRatio(Qt::black, background)
                           ? QColor(Qt::white)
                           : QColor(Qt::black);
    for (int step = 1; step <= 100; ++step) {
        const QColor mixed = Mix(start, end, step / 100.0);
        if (ContrastRatio(mixed, background) >= least)
            return mixed;
    }
    return end;
}
