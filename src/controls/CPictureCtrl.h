#pragma once
// The crop control: the whole picture fitted into the control at half strength, and the crop at
// full strength, framed with four corner handles. The crop is kept in picture pixels, with the
// header's 700:61 shape and inside the picture (the rules of HeaderCrop.h); the control only draws
// it in screen pixels. Dragging its inside moves it, a handle resizes it about the opposite corner,
// Nudge steps it; every finished change is reported with cropChanged.
#include "imaging/CSkinImage.h"
#include "platform/SkinRect.h"

#include <QImage>
#include <QPointF>
#include <QWidget>
#include <array>

// Where a picture of the given size is drawn in a client area: the largest rectangle of the
// picture's aspect, centred.
SkinRect FitDisplay(QSize picture, QSize client);
// A crop in picture pixels as drawn in a display rectangle (edges truncated); null when the
// picture has no area.
SkinRect CropToDisplay(const SkinRect& crop, const SkinRect& display, QSize picture);

class CPictureCtrl : public QWidget {
    Q_OBJECT
public:
    enum Handle { NoHandle = 0, TopLeft = 1, TopRight = 2, BottomRight = 3, BottomLeft = 4 };

    explicit CPictureCtrl(QWidget* parent = nullptr);
    ~CPictureCtrl() override;

    // Shows the picture with its default crop, reported at once.
    void SetPicture(SharedPicture picture);
    // Frames the crop the owner holds (picture pixels); reports nothing.
    void SetCrop(const SkinRect& crop);
    // While another thread loads, the control shows the placeholder and ignores input; the
    // picture held and its crop are kept, and EndLoading shows them again.
    void BeginLoading();
    void EndLoading();
    // Drops the picture.
    void ClearPicture();

    // Moves the crop by (dx, dy) screen pixels (at least one picture pixel), as far as the picture
    // lets it go; reports.
    void Nudge(int dx, int dy);

    const SharedPicture& Picture() const { return m_picture; }
    // A picture is held and shown (not hidden by a load).
    bool HasPicture() const { return Showing(); }
    // The crop in picture pixels, and as drawn.
    SkinRect Crop() const { return m_crop; }
    SkinRect ShownCrop() const;
    SkinRect Display() const { return m_display; }
    // The handles' hit and drawing areas: 10 x 10 squares centred on the shown crop's corners in
    // the order top-left, top-right, bottom-right, bottom-left.
    std::array<SkinRect, 4> HandleRects() const;
    // How often the layers (the whole picture scaled into the display) have been rebuilt.
    int LayerBuilds() const { return m_layerBuilds; }

signals:
    void cropChanged(SkinRect crop);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool Showing() const;
    QSize PictureSize() const;
    // Picture pixels per screen pixel.
    double Scale() const;
    QPointF ToPicture(QPoint point) const;
    void RebuildLayers();
    void SetCursorFor(QPoint point);
    void DragHandle(QPoint point);
    void DragMove(QPoint point);

    SharedPicture m_picture;
    SkinRect m_crop; // picture pixels
    SkinRect m_display;
    Handle m_handle = NoHandle;
    bool m_moving = false;
    QPoint m_pressPoint;
    SkinRect m_pressCrop;
    QImage m_dimLayer;
    QImage m_fullLayer;
    QSize m_layoutSize;        // the control size the layers were made for
    double m_layerRatio = 1.0; // the device pixel ratio they were made at
    QImage m_placeholder;      // bitmap 134
    bool m_loading = false;    // another thread is loading the next picture
    int m_layerBuilds = 0;
};
