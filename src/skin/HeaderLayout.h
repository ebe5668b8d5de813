#pragma once
// How a header band is laid across a window of some width: which part of the header picture goes
// where. The stretch page's wide preview and the player both put the part left of the stretch
// region and the part right of it at their fixed size and fill the width between with the region,
// stretched or tiled; they differ only in where the outer parts land.
#include "platform/SkinRect.h"
#include "skin/HeaderStrips.h"

#include <QImage>
#include <QPoint>
#include <vector>

// What the player does with the stretch region when its window is wider than the header.
enum class StretchMode { Stretch, Tile };

// One piece of the header band: a source rectangle of the picture drawn into a destination
// rectangle.
struct StretchPiece {
    SkinRect destination;
    SkinRect source;
    bool operator==(const StretchPiece&) const = default;
};

// Width of the stretch page's wide player top (bitmap 159).
inline constexpr int kWidePlayerTopWidth = 850;

// The pieces of the stretch page's preview band on a control `width` pixels wide, in drawing
// order: left part, right part, then the middle (one stretched piece, or tiles and a last partial
// tile). pictureRect is the crop rectangle and region the stretch region, both in picture pixels.
// The left part ends at its own width from x 0 and the right part keeps a margin from the right
// edge, as that preview has always placed them. Pieces with an empty source or destination are
// left out.
std::vector<StretchPiece> StretchResultPieces(int width, const SkinRect& pictureRect, const SkinRect& region,
                                              StretchMode mode);

// The pieces of the header the player draws from the strips of plan across x left..right from
// y top: the left strip at left and the right strip ending at right, each at the size it has in
// the package, and the middle strip stretched or tiled between them (nothing between them when
// they meet). Without a stretch region the one strip is stretched over the whole band.
std::vector<StretchPiece> PlayerHeaderPieces(const StripPlan& plan, int left, int right, int top,
                                             StretchMode mode);

// A piece as drawn: the picture's part resampled to its place's size, opaque.
struct PlacedImage {
    QPoint at;
    QImage image;
};
// Resamples the pieces from picture (Hermite); a piece at its source's own size is copied pixel
// for pixel, and repeated tiles are resampled once.
std::vector<PlacedImage> RenderPieces(const QImage& picture, const std::vector<StretchPiece>& pieces);
