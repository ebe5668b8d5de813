#include "skin/HeaderLayout.h"

#include "imaging/CSkinImage.h"
#include "imaging/ImageLoading.h"
#include "skin/PackageNames.h"

#include <algorithm>

namespace {

int MulDivTrunc(int64_t a, int64_t b, int64_t c)
{
    return static_cast<int>(MulDiv(a, b, c));
}

void AddPiece(std::vector<StretchPiece>& pieces, const SkinRect& destination, const SkinRect& source)
{
    if (destination.IsEmpty() || source.IsEmpty())
        return;
    pieces.push_back({destination, source});
}

// Fills from..to (rows top..top + height) with the region: one stretched piece, or tiles
// tileWidth wide and a last piece from the region's left part.
void AddMiddle(std::vector<StretchPiece>& pieces, int from, int to, int top, int height,
               const SkinRect& region, int tileWidth, StretchMode mode)
{
    const int span = to - from;
    if (span <= 0)
        return;
    const int bottom = top + height;
    if (mode == StretchMode::Stretch) {
        AddPiece(pieces, {from, top, to, bottom}, region);
        return;
    }
    const int regionWidth = static_cast<int>(region.Width());
    const int regionHeight = static_cast<int>(region.Height());
    if (regionWidth <= 0 || regionHeight <= 0)
        return;
    // A region only a few pixels wide on a tall crop scales to less than a pixel: tile by one.
    const int tw = std::max(1, tileWidth);
    int k = 0;
    if (tw < span) {
        for (; (k + 1) * tw < span; ++k)
            AddPiece(pieces, {from + k * tw, top, from + (k + 1) * tw, bottom}, region);
    }
    // The rest of the span gets the matching left part of the region.
    const int t = from + k * tw;
    if (t < to) {
        const int s = std::clamp(MulDivTrunc(regionHeight, to - t, height), 1, regionWidth);
        AddPiece(pieces, {t, top, to, bottom}, {region.left, region.top, region.left + s, region.bottom});
    }
}

} // namespace

std::vector<StretchPiece> StretchResultPieces(int width, const SkinRect& pictureRect, const SkinRect& region,
                                              StretchMode mode)
{
    std::vector<StretchPiece> pieces;
    const int pictureHeight = static_cast<int>(pictureRect.Height());
    if (width <= 0 || pictureHeight <= 0)
        return pieces;

    constexpr int top = 2;
    constexpr int d = kHeaderHeight;
    const int margin = 2 * width / kWidePlayerTopWidth;
    const int areaLeft = margin;
    const int areaRight = width - margin;

    // Left part, scaled to the header's height. Its destination starts at the margin but ends
    // at lw itself.
    const int lw = MulDivTrunc(d, region.left - pictureRect.left, pictureHeight);
    AddPiece(pieces, {areaLeft, top, lw, top + d},
             {pictureRect.left, pictureRect.top, region.left, pictureRect.bottom});

    // Right part, ending at the right edge of the header area.
    const int rw = MulDivTrunc(d, pictureRect.right - region.right, pictureHeight);
    const int rs = areaRight - areaLeft - rw;
    AddPiece(pieces, {rs, top, areaRight, top + d},
             {region.right, pictureRect.top, pictureRect.right, pictureRect.bottom});

    const int tileWidth = region.Height() <= 0 ? 0 : MulDivTrunc(region.Width(), d, region.Height());
    AddMiddle(pieces, lw, rs, top, d, region, tileWidth, mode);
    return pieces;
}

std::vector<StretchPiece> PlayerHeaderPieces(const StripPlan& plan, int left, int right, int top,
                                             StretchMode mode)
{
    std::vector<StretchPiece> pieces;
    if (!plan.threeStrips) {
        AddPiece(pieces, {left, top, right, top + kHeaderHeight}, plan.mid);
        return pieces;
    }
    const QSize lw = CSkinImage::CroppedScaledSize(plan.left, plan.scale);
    const QSize mw = CSkinImage::CroppedScaledSize(plan.mid, plan.scale);
    const QSize rw = CSkinImage::CroppedScaledSize(plan.right, plan.scale);
    if (!lw.isValid() || !mw.isValid() || !rw.isValid())
        return pieces;
    AddPiece(pieces, {left, top, left + lw.width(), top + lw.height()}, plan.left);
    AddPiece(pieces, {right - rw.width(), top, right, top + rw.height()}, plan.right);
    AddMiddle(pieces, left + lw.width(), right - rw.width(), top, mw.height(), plan.mid, mw.width(), mode);
    return pieces;
}

std::vector<PlacedImage> RenderPieces(const QImage& picture, const std::vector<StretchPiece>& pieces)
{
    std::vector<PlacedImage> drawn;
    SkinRect lastSource;
    QSize lastSize;
    QImage last;
    for (const StretchPiece& piece : pieces) {
        const QSize size(static_cast<int>(piece.destination.Width()),
                         static_cast<int>(piece.destination.Height()));
        if (last.isNull() || piece.source != lastSource || size != lastSize) {
            last = Opaque(CropScaled(picture, piece.source, size, ResampleFilter::Hermite));
            lastSource = piece.source;
            lastSize = size;
        }
        if (!last.isNull())
            drawn.push_back({QPoint(piece.destination.left, piece.destination.top), last});
    }
    return drawn;
}
