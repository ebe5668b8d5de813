#pragma once
// Small drawing helpers shared by the preview and crop controls.
#include "platform/SkinRect.h"

#include <cstdint>

#include <QImage>

class QPainter;

// The picture blended at constant strength 127/255 onto black (per-pixel alpha ignored);
// the result is opaque (Format_RGB32).
QImage HalfStrength(const QImage& picture);

// Outlines a rectangle (right and bottom exclusive) with a one-pixel pen and no fill.
void DrawOutline(QPainter& painter, const SkinRect& rect);

// a * b / c in 64 bits, truncated toward zero; 0 when c is 0.
inline int64_t MulDiv(int64_t a, int64_t b, int64_t c)
{
    return c == 0 ? 0 : a * b / c;
}

// Left <= x < right and top <= y < bottom.
inline bool RectContains(const SkinRect& rect, int x, int y)
{
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}
