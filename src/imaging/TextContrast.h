#pragma once
// How readable a text colour is on a background: the relative luminance and contrast ratio of
// sRGB colours (1:1 to 21:1), and the nearest colour of the same hue that reaches a wanted ratio.
#include <QColor>

// Relative luminance of an opaque colour, 0 (black) to 1 (white).
double RelativeLuminance(const QColor& colour);
// (lighter + 0.05) / (darker + 0.05), the same whichever colour comes first.
double ContrastRatio(const QColor& a, const QColor& b);

// The contrast normal text needs to be read comfortably.
constexpr double kReadableContrast = 4.5;

// wanted itself when it reaches least against background; otherwise wanted mixed towards white
// (on a dark background) or black (on a light one), just far enough to reach it.
QColor ReadableOn(const QColor& wanted, const QColor& background, double least = kReadableContrast);
