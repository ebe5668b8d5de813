#pragma once
// Small drawing helpers shared by the preview and crop controls.
#include "platform/SkinRect.h"

#include <cstdint>

#include <QImage>

class QPainter;

// The picture blended at constant strength 127/255 onto black (per-pixel alpha ignored);
// the result is opaque (Format_RGB32).
QImage HalfStrength(const QImage& picture);

// A rectangle in logical pixels as device pixels at a device pixel ratio (each edge rounded).
SkinRect DeviceRect(const SkinRect& rect, double ratio);

// Outlines a rectangle (right and bottom exclusive) with a one-pixel pen and no fill.
void DrawOutline(QPainter& painter, const SkinRect& rect);

// Left <= x < right and top <= y < bottom.
inline bool RectContains(const SkinRect& rect, int x, int y)
{
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}
