#include "controls/CColorPreviewCtrl.h"

#include "imaging/CSkinImage.h"
#include "imaging/ImageLoading.h"

#include <QPainter>
#include <cmath>

CColorPreviewCtrl::CColorPreviewCtrl(QWidget* parent) : QWidget(parent)
{
    m_player = QImage(BitmapResourcePath(154)).convertToFormat(QImage::Format_ARGB32);
    LoadPngResource(m_tabsBlack, 4);
    LoadPngResource(m_tabsWhite, 137);
}

void CColorPreviewCtrl::SetMainColor(ColorRef colour)
{
    m_mainColor = colour;
    m_recolored = colour == 0 ? QImage() : RecolorBitmap(m_player, colour, 0);
    update();
}

void CColorPreviewCtrl::SetTabTextWhite(bool white)
{
    m_whiteTabText = white;
    update();
}

void CColorPreviewCtrl::SetPicture(SharedPicture picture)
{
    m_picture = std::move(picture);
    m_hasPicture = m_picture != nullptr;
    update();
}

void CColorPreviewCtrl::SetPictureRect(int left, int top, int right, int bottom)
{
    m_crop = {left, top, right, bottom};
    update();
}

int CColorPreviewCtrl::Margin(int width)
{
    return static_cast<int>(std::trunc(2.0 * width / kPlayerWidth + 0.5));
}

int CColorPreviewCtrl::HeaderBottom(int width, int height)
{
    return static_cast<int>(std::trunc(height - width * 416.0 / kPlayerWidth));
}

void CColorPreviewCtrl::paintEvent(QPaintEvent*)
{
    // Nothing to show until there is a header picture (and none while one is being decoded).
    if (!m_hasPicture || m_picture == nullptr || !m_picture->HasPicture())
        return;
    const int w = width();
    const int h = height();
    QPainter painter(this);
    // Recoloured pictures carry alpha 0: draw them as a plain copy would.
    painter.drawImage(QRect(0, 0, w, h), Opaque(PlayerPicture()));

    const int margin = Margin(w);
    const int headerBottom = HeaderBottom(w, h);
    if (w - 2 * margin > 0 && headerBottom - margin > 0)
        m_picture->DrawCroppedScaled(painter, {margin, margin, w - margin, headerBottom}, m_crop,
                                     ResampleFilter::Hermite);
    DrawPicture(painter, m_whiteTabText ? m_tabsWhite : m_tabsBlack, 0, 0, w - 2 * margin,
                headerBottom - margin, false);
}
