#include "controls/CStretchResultCtrl.h"

#include "controls/ControlDrawing.h"
#include "imaging/ImageLoading.h"

#include <QPainter>

CStretchResultCtrl::CStretchResultCtrl(QWidget* parent) : QWidget(parent)
{
    EnsureImageIo();
}

void CStretchResultCtrl::SetLook(const PlayerLook& look)
{
    m_look.SetMainColor(look.mainColor);
    m_pictureRect = look.crop;
    if (look.picture != nullptr) {
        m_picture = look.picture;
        m_hasPicture = true;
    }
    RebuildPieces();
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
    m_look.SetMainColor(color);
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
    m_piecesRatio = devicePixelRatioF();
    update();
    if (!m_hasPicture || m_picture == nullptr || !m_picture->HasPicture())
        return;
    std::vector<StretchPiece> pieces = StretchResultPieces(width(), m_pictureRect, m_region, m_tileMode);
    // On a scaled screen each piece is resampled to its place in device pixels.
    for (StretchPiece& piece : pieces)
        piece.destination = DeviceRect(piece.destination, m_piecesRatio);
    m_drawn = RenderPieces(m_picture->Picture(), pieces);
}

void CStretchResultCtrl::paintEvent(QPaintEvent*)
{
    if (!m_hasPicture || m_picture == nullptr || !m_picture->HasPicture())
        return;
    if (devicePixelRatioF() != m_piecesRatio)
        RebuildPieces();
    QPainter painter(this);
    m_look.DrawChrome(painter, 0, rect());
    if (m_piecesRatio != 1.0)
        painter.scale(1.0 / m_piecesRatio, 1.0 / m_piecesRatio); // the pieces are placed in device pixels
    for (const PlacedImage& piece : m_drawn)
        painter.drawImage(piece.at, piece.image);
}
