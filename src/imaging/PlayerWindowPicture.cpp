#include "imaging/PlayerWindowPicture.h"

#include "imaging/CSkinImage.h"
#include "imaging/ImageLoading.h"

#include <QPainter>

PlayerWindowPicture::PlayerWindowPicture(std::initializer_list<int> chromeBitmaps)
{
    for (int id : chromeBitmaps) {
        Part part;
        part.original = QImage(BitmapResourcePath(id)).convertToFormat(QImage::Format_ARGB32);
        part.shown = Opaque(part.original);
        m_parts.append(part);
    }
    LoadPngResource(m_tabsBlack, 4);
    LoadPngResource(m_tabsWhite, 137);
}

void PlayerWindowPicture::SetLook(const PlayerLook& look)
{
    SetPicture(look.picture);
    m_crop = look.crop;
    SetMainColor(look.mainColor);
    m_whiteTabText = look.whiteTabText;
}

void PlayerWindowPicture::SetMainColor(ColorRef colour)
{
    if (colour == m_mainColor)
        return;
    m_mainColor = colour;
    for (Part& part : m_parts) {
        part.recolored = colour == 0 ? QImage() : RecolorBitmap(part.original, colour, 0);
        part.shown = Opaque(colour == 0 ? part.original : part.recolored);
    }
    ++m_recolorCount;
}

void PlayerWindowPicture::SetPicture(SharedPicture picture)
{
    m_picture = std::move(picture);
    m_hasPicture = m_picture != nullptr;
}

bool PlayerWindowPicture::CanDrawPicture() const
{
    return m_hasPicture && m_picture->HasPicture();
}

const QImage& PlayerWindowPicture::Chrome(int i) const
{
    const Part& part = m_parts[i];
    return m_mainColor == 0 ? part.original : part.recolored;
}

void PlayerWindowPicture::DrawChrome(QPainter& painter, int i, const QRect& target) const
{
    const QImage& shown = m_parts[i].shown;
    if (target.size() == shown.size())
        painter.drawImage(target.topLeft(), shown);
    else
        painter.drawImage(target, shown);
}

void PlayerWindowPicture::DrawHeader(QPainter& painter, const SkinRect& target) const
{
    if (CanDrawPicture() && !target.IsEmpty())
        m_picture->DrawCroppedScaled(painter, target, m_crop, ResampleFilter::Hermite);
}

void PlayerWindowPicture::DrawTabOverlay(QPainter& painter, int x, int y, int width, int height) const
{
    DrawPicture(painter, m_whiteTabText ? m_tabsWhite : m_tabsBlack, x, y, width, height, false);
}
