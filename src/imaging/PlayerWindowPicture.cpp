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
    m_picture = look.picture;
    m_hasPicture = m_picture != nullptr;
    m_crop = look.crop;
    SetMainColor(look.mainColor);
    m_whiteTabText = look.whiteTabText;
    RebuildHeader();
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
    RebuildHeader();
}

void PlayerWindowPicture::SetPictureRect(int left, int top, int right, int bottom)
{
    const SkinRect crop{left, top, right, bottom};
    if (crop == m_crop)
        return;
    m_crop = crop;
    RebuildHeader();
}

void PlayerWindowPicture::SetHeaderSize(QSize size)
{
    if (size == m_headerSize)
        return;
    m_headerSize = size;
    RebuildHeader();
}

void PlayerWindowPicture::SetHeaderRatio(double ratio)
{
    if (!(ratio > 0) || ratio == m_headerRatio)
        return;
    m_headerRatio = ratio;
    RebuildHeader();
}

void PlayerWindowPicture::RebuildHeader()
{
    m_header = QImage();
    if (!CanDrawPicture() || m_headerSize.isEmpty())
        return;
    // Through the picture's cached rendition: the loader makes the first one ahead, off the
    // interface thread.
    const QSize size = DeviceSize(m_headerSize, m_headerRatio);
    const QImage* header =
        m_picture->GetCroppedScaledBitmap(size.width(), size.height(), m_crop, ResampleFilter::Hermite);
    m_header = header != nullptr ? Opaque(*header) : QImage();
    m_header.setDevicePixelRatio(m_headerRatio);
    ++m_headerBuilds;
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
    // On a screen with more device pixels than logical ones the built-in pictures are enlarged
    // anyway: smoothly, rather than in blocks. At ratio 1 they are copied or stretched as ever.
    const bool enlarged = painter.device() != nullptr && painter.device()->devicePixelRatioF() != 1.0;
    if (enlarged) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    }
    if (target.size() == shown.size())
        painter.drawImage(target.topLeft(), shown);
    else
        painter.drawImage(target, shown);
    if (enlarged)
        painter.restore();
}

void PlayerWindowPicture::DrawHeader(QPainter& painter, QPoint topLeft) const
{
    if (!m_header.isNull())
        painter.drawImage(topLeft, m_header);
}

void PlayerWindowPicture::DrawTabOverlay(QPainter& painter, int x, int y, int width, int height) const
{
    DrawPicture(painter, m_whiteTabText ? m_tabsWhite : m_tabsBlack, x, y, width, height, false);
}
