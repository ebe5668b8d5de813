#include "controls/CFramePreviewCtrl.h"

CFramePreviewCtrl::CFramePreviewCtrl(QWidget* parent) : CPlayerCanvasCtrl(parent) {}

void CFramePreviewCtrl::DrawOverlay(QPainter& painter)
{
    Look().DrawTabOverlay(painter, kWindowLeft, kWindowTop, kWindowRight - kWindowLeft, kChromeHeight);
}

void CFramePreviewCtrl::PanBy(int dx, int dy)
{
    ScrollBy(dx, dy);
}
