#include "controls/CStretchResultCtrl.h"

#include "controls/ControlDrawing.h"
#include "imaging/CSkinImage.h"
#include "imaging/ImageLoading.h"
#include "platform/HeaderSize.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>

namespace {

// The header band of the player top: the header's height from y 2.
constexpr int kHeaderTop = 2;
constexpr int kHeaderBottom = kHeaderTop + kHeaderHeight;

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

} // namespace

std::vector<StretchPiece> StretchResultPieces(int width, const SkinRect& pictureRect, const SkinRect& region,
                                              StretchMode mode)
{
    std::vector<StretchPiece> pieces;
    const int pictureHeight = pictureRect.Height();
    if (width <= 0 || pictureHeight <= 0)
        return pieces;

    const int margin = 2 * width / CStretchResultCtrl::kPlayerTopWidth;
    const int areaLeft = margin;
    const int areaRight = width - margin;
    const int d = kHeaderHeight;

    // Left part, scaled to the header's height. Its destination starts at the margin but ends
    // at lw itself, as the player places it.
    const int lw = MulDivTrunc(d, region.left - pictureRect.left, pictureHeight);
    AddPiece(pieces, {areaLeft, kHeaderTop, lw, kHeaderBottom},
             {pictureRect.left, pictureRect.top, region.left, pictureRect.bottom});

    // Right part, ending at the right edge of the header area.
    const int rw = MulDivTrunc(d, pictureRect.right - region.right, pictureHeight);
    const int rs = areaRight - areaLeft - rw;
    AddPiece(pieces, {rs, kHeaderTop, areaRight, kHeaderBottom},
             {region.right, pictureRect.top, pictureRect.right, pictureRect.bottom});

    const int span = rs - lw;
    if (span <= 0)
        return pieces;
    const SkinRect source = region;
    if (mode == StretchMode::Stretch) {
        AddPiece(pieces, {lw, kHeaderTop, rs, kHeaderBottom}, source);
        return pieces;
    }

    const int regionWidth = region.Width();
    const int regionHeight = region.Height();
    if (regionWidth <= 0 || regionHeight <= 0)
        return pieces;
    // A region only a few pixels wide on a tall crop scales to less than a pixel: tile by one.
    const int tw = std::max(1, MulDivTrunc(regionWidth, d, regionHeight));
    int k = 0;
    if (tw < span) {
        for (; (k + 1) * tw < span; ++k)
            AddPiece(pieces, {lw + k * tw, kHeaderTop, lw + (k + 1) * tw, kHeaderBottom}, source);
    }
    // The rest of the span gets the matching left part of the region.
    const int t = lw + k * tw;
    if (t < rs) {
        const int s = std::clamp(MulDivTrunc(regionHeight, rs - t, d), 1, regionWidth);
        AddPiece(pieces, {t, kHeaderTop, rs, kHeaderBottom},
                 {region.left, region.top, region.left + s, region.bottom});
    }
    return pieces;
}

CStretchResultCtrl::CStretchResultCtrl(QWidget* parent) : QWidget(parent)
{
    EnsureImageIo();
    QImage top(BitmapResourcePath(159));
    if (!top.isNull())
        m_playerTop = top.convertToFormat(QImage::Format_ARGB32);
    SetMainColor(0);
}

void CStretchResultCtrl::SetPicture(SharedPicture picture)
{
    if (picture == nullptr)
        return;
    m_picture = std::move(picture);
    m_hasPicture = true;
    RebuildPieces();
}

void CStretchResultCtrl::SetPictureRect(int left, int top, int right, int bottom)
{
    m_pictureRect = {left, top, right, bottom};
    RebuildPieces();
}

void CStretchResultCtrl::SetMainColor(ColorRef color)
{
    m_mainColor = color;
    // Recoloured pixels carry alpha 0; the player top is drawn as a plain copy.
    m_playerTopColored = m_playerTop.isNull() ? QImage() : Opaque(RecolorBitmap(m_playerTop, color, 0));
    update();
}

void CStretchResultCtrl::SetRegion(int left, int top, int right, int bottom)
{
    m_region = {left, top, right, bottom};
    RebuildPieces();
}

void CStretchResultCtrl::SetTileMode(StretchMode mode)
{
    m_tileMode = mode;
    RebuildPieces();
}

void CStretchResultCtrl::resizeEvent(QResizeEvent*)
{
    if (width() != m_piecesWidth)
        RebuildPieces();
}

void CStretchResultCtrl::RebuildPieces()
{
    m_drawn.clear();
    m_piecesWidth = width();
    update();
    if (!m_hasPicture || m_picture == nullptr || !m_picture->HasPicture())
        return;
    // The full tiles share one part and size: each distinct one is resampled once.
    SkinRect lastSource;
    QSize lastSize;
    QImage last;
    for (const StretchPiece& piece : StretchResultPieces(width(), m_pictureRect, m_region, m_tileMode)) {
        const QSize size(piece.destination.Width(), piece.destination.Height());
        if (last.isNull() || piece.source != lastSource || size != lastSize) {
            const QImage* bitmap = m_picture->GetCroppedScaledBitmap(size.width(), size.height(),
                                                                     piece.source, ResampleFilter::Hermite);
            last = bitmap == nullptr ? QImage() : Opaque(*bitmap);
            lastSource = piece.source;
            lastSize = size;
        }
        if (!last.isNull())
            m_drawn.push_back({QPoint(piece.destination.left, piece.destination.top), last});
    }
}

void CStretchResultCtrl::paintEvent(QPaintEvent*)
{
    if (!m_hasPicture || m_picture == nullptr || !m_picture->HasPicture())
        return;
    QPainter painter(this);
    if (!m_playerTopColored.isNull())
        painter.drawImage(rect(), m_playerTopColored);
    for (const DrawnPiece& piece : m_drawn)
        painter.drawImage(piece.at, piece.image);
}
