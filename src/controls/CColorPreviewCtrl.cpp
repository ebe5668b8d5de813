#include "controls/CColorPreviewCtrl.h"

#include <QPainter>
#include <cmath>

CColorPreviewCtrl::CColorPreviewCtrl(QWidget* parent) : QWidget(parent) {}

void CColorPreviewCtrl::SetLook(const PlayerLook& look)
{
    m_look.SetLook(look);
    update();
}

void CColorPreviewCtrl::SetMainColor(ColorRef colour)
{
    m_look.SetMainColor(colour);
    update();
}

void CColorPreviewCtrl::SetTabTextWhite(bool white)
{
    m_look.SetTabTextWhite(white);
    update();
}

void CColorPreviewCtrl::SetPicture(SharedPicture picture)
{
    m_look.SetPicture(std::move(picture));
    update();
}

void CColorPreviewCtrl::SetPictureRect(int left, int top, int right, int bottom)
{
    m_look.SetPictureRect(left, top, right, bottom);
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

void CColorPreviewCtrl::resizeEvent(QResizeEvent*)
{
    const int margin = Margin(width());
    m_look.SetHeaderRatio(devicePixelRatioF());
    m_look.SetHeaderSize(QSize(width() - 2 * margin, HeaderBottom(width(), height()) - margin));
}

void CColorPreviewCtrl::paintEvent(QPaintEvent*)
{
    // Nothing to show until there is a header picture (and none while one is being decoded).
    if (!m_look.CanDrawPicture())
        return;
    // The header is resampled for the screen's device pixels (once per ratio).
    m_look.SetHeaderRatio(devicePixelRatioF());
    const int w = width();
    const int h = height();
    QPainter painter(this);
    // Recoloured pictures carry alpha 0: draw them as a plain copy would.
    m_look.DrawChrome(painter, 0, QRect(0, 0, w, h));

    const int margin = Margin(w);
    const int headerBottom = HeaderBottom(w, h);
    m_look.DrawHeader(painter, QPoint(margin, margin));
    m_look.DrawTabOverlay(painter, 0, 0, w - 2 * margin, headerBottom - margin);
}
