#pragma once
// The frame page's decorated player preview: the current corner's decoration can be dragged,
// and dragging the background pans the view up to the canvas edges.
#include "controls/CPlayerCanvasCtrl.h"

class CFramePreviewCtrl : public CPlayerCanvasCtrl {
    Q_OBJECT
public:
    explicit CFramePreviewCtrl(QWidget* parent = nullptr);

protected:
    void DrawOverlay(QPainter& painter) override;
    void PanBy(int dx, int dy) override;
};
