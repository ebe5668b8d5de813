#pragma once
// Shared pieces of the artwork generator: the chrome palette, fonts, picture writers and
// small drawing helpers.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <utility>

class QPainter;

namespace art {

// The player's chrome is one blue hue in many shades: recolouring replaces the hue and keeps
// the shading, so the shades are what makes the recoloured player readable.
constexpr double kHue = 213.0;
QColor Chrome(double saturation, double lightness, int alpha = 255);

// The CJK sans face at a pixel size and weight.
QFont UiFace(int pixelSize, int weight = 400);

// An uncompressed 24-bit bottom-up BMP: 54-byte header, BI_RGB, rows padded to 4 bytes.
QByteArray EncodeBmp24(const QImage& image);
bool WriteBmp24(const QImage& image, const QString& path);
// An 8-bit RGBA PNG (colour type 6).
bool WritePngRgba(const QImage& image, const QString& path);

QImage NewOpaque(int width, int height, const QColor& fill);
QImage NewTransparent(int width, int height);

QPainterPath RoundedRect(const QRectF& rect, double radius);
// A small eighth-note glyph centred on centre, size about the given height.
QPainterPath NoteGlyph(const QPointF& centre, double height);
// Text placed so that a CJK glyph's ink would start on row top (texts of one font then share a
// baseline); returns the text's advance box with that ink height.
QRect DrawTextInkTop(QPainter& painter, const QString& text, const QFont& font, int x, int top,
                     const QColor& colour);
// The rows a text's ink covers relative to its baseline: first = rows above the baseline
// (the baseline row excluded), second = rows from the baseline down (included).
std::pair<int, int> InkExtent(const QString& text, const QFont& font);
// Horizontal text advance.
int TextWidth(const QString& text, const QFont& font);

} // namespace art
