#include "skin/CornerPlacement.h"

#include <algorithm>
#include <cstdint>

QPoint DefaultCornerOffset(QSize itemSize)
{
    return {itemSize.width() / 2, itemSize.height() / 2};
}

QPoint ClampCornerOffset(Corner corner, QSize size, QPoint offset)
{
    constexpr int quarterWidth = kPlayerWindowWidth / 2;
    constexpr int quarterHeight = kPlayerWindowHeight / 2;
    // Window coordinates: the corner point and the corner's quarter of the window.
    const int anchorX = IsLeft(corner) ? 0 : kPlayerWindowWidth;
    const int anchorY = IsTop(corner) ? 0 : kPlayerWindowHeight;
    const int quarterLeft = IsLeft(corner) ? 0 : quarterWidth;
    const int quarterTop = IsTop(corner) ? 0 : quarterHeight;
    // A size read from a stranger's package may be negative: such an item counts as a point.
    const int width = std::max(0, size.width());
    const int height = std::max(0, size.height());
    // In 64 bits: an offset near the ends of int must not wrap around to the other side.
    const int64_t left = std::clamp<int64_t>(int64_t(anchorX) - offset.x(), int64_t(quarterLeft) - width,
                                             quarterLeft + quarterWidth);
    const int64_t top = std::clamp<int64_t>(int64_t(anchorY) - offset.y(), int64_t(quarterTop) - height,
                                            quarterTop + quarterHeight);
    return {static_cast<int>(anchorX - left), static_cast<int>(anchorY - top)};
}
