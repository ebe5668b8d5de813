#include "controls/ControlDrawing.h"

#include <QPainter>
#include <cmath>

QImage HalfStrength(const QImage& picture)
{
    if (picture.isNull())
        return {};
    QImage source = picture.convertToFormat(QImage::Format_RGB32);
    QImage result(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const uint32_t*>(source.constScanLine(y));
        auto* out = reinterpret_cast<uint32_t*>(result.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const uint32_t p = in[x];
            const uint32_t r = ((p >> 16 & 0xFF) * 127 + 127) / 255;
            const uint32_t g = ((p >> 8 & 0xFF) * 127 + 127) / 255;
            const uint32_t b = ((p & 0xFF) * 127 + 127) / 255;
            out[x] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
    return result;
}

SkinRect DeviceRect(const SkinRect& rect, double ratio)
{
    if (ratio == 1.0)
        return rect;
    const auto edge = [ratio](int32_t value) { return static_cast<int32_t>(std::lround(value * ratio)); };
    return {edge(rect.left), edge(rect.top), edge(rect.right), edge(rect.bottom)};
}

void DrawOutline(QPainter& painter, const SkinRect& rect)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    // A cosmetic one-pixel pen outlines width + 1 by height + 1 pixels.
    painter.drawRect(QRect(rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1));
}
