#pragma once
// A rectangle as left, top, right, bottom (right and bottom exclusive), 32-bit signed.
// Used instead of QRect wherever the exact edge arithmetic matters.
#include <QRect>
#include <cstdint>

struct SkinRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // In 64 bits: any two 32-bit edges, however far apart or reversed, give an exact difference.
    constexpr int64_t Width() const { return int64_t(right) - left; }
    constexpr int64_t Height() const { return int64_t(bottom) - top; }
    // All four values 0: the "none" value of stretch regions and crops.
    constexpr bool IsNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // No pixel inside: zero or negative width or height.
    constexpr bool IsEmpty() const { return Width() <= 0 || Height() <= 0; }
    constexpr bool operator==(const SkinRect&) const = default;
    QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
    static SkinRect FromQRect(const QRect& r)
    {
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
};

// a * b / c in 64 bits, truncated toward zero; 0 when c is 0.
constexpr int64_t MulDiv(int64_t a, int64_t b, int64_t c)
{
    return c == 0 ? 0 : a * b / c;
}
