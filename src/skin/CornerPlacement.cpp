#include "skin/CornerPlacement.h"

#include <algorithm>

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
    const int left = std::clamp(anchorX - offset.x(), quarterLeft - width, quarterLeft + quarterWidth);
    const int top = std::clamp(anchorY - offset.y(), quarterTop - height, quarterTop + quarterHeight);
    return {anchorX - left, anchorY - top};
}
