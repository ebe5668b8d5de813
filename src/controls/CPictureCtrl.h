#pragma once
// The crop control: the whole picture fitted into the control at half strength, and a crop
// frame of fixed aspect 700:61 at full strength that is moved by dragging its inside or by
// Nudge, and resized by its four corner handles. Every finished change is reported with
// cropChanged, the crop in picture pixels.
#include "imaging/CSkinImage.h"
#include "platform/HeaderSize.h"
#include "platform/SkinRect.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <optional>

// Fixed aspect of the crop: height per width in double precision, width per height kept in
// single precision (so a 61-pixel-high crop is 699 wide: 61 x K falls just below 700).
constexpr double kCropHeightPerWidth = static_cast<double>(kHeaderHeight) / kHeaderWidth;
constexpr double kCropWidthPerHeight =
    static_cast<double>(static_cast<float>(kHeaderWidth) / static_cast<float>(kHeaderHeight));
constexpr int kCropMinHeight = 10;
constexpr double kCropMinWidth = kCropMinHeight * kCropWidthPerHeight;

// Where a picture of the given size is drawn in a client area: the largest rectangle of the
// picture's aspect, centred.
SkinRect FitDisplay(QSize picture, QSize client);
// The largest 700:61 rectangle inside display, centred.
SkinRect InitialCrop(const SkinRect& display);
// A crop in client pixels mapped to picture pixels; null when display has no area.
SkinRect CropToPicture(const SkinRect& crop, const SkinRect& display, QSize picture);
// A crop in picture pixels mapped to client pixels; null when the picture has no area.
SkinRect CropToDisplay(const SkinRect& crop, const SkinRect& display, QSize picture);

class CPictureCtrl : public QWidget {
    Q_OBJECT
public:
    enum Handle { NoHandle = 0, TopLeft = 1, TopRight = 2, BottomRight = 3, BottomLeft = 4 };

    explicit CPictureCtrl(QWidget* parent = nullptr);
    ~CPictureCtrl() override;

    // Shows the picture with a fresh crop (reported at once when the control has a size).
    void SetPicture(SharedPicture picture);
    // While another thread loads, the control shows the placeholder and ignores input; the
    // picture held and its crop are kept, and EndLoading shows them again.
    void BeginLoading();
    void EndLoading();
    // Drops the picture.
    void ClearPicture();

    // Moves the crop by (dx, dy), each reduced so that it stays inside the display; reports.
    void Nudge(int dx, int dy);
    // Emits cropChanged with the crop in picture pixels (nothing while the display has no area).
    void NotifyCrop();
    // Frames the crop the owner holds (picture pixels) instead of a first crop; reports nothing.
    // Given before the control has a size, it is framed once it has one.
    void SetCrop(const SkinRect& crop);

    const SharedPicture& Picture() const { return m_picture; }
    // A picture is held and shown (not hidden by a load).
    bool HasPicture() const { return Showing(); }
    SkinRect Crop() const { return m_crop; }
    SkinRect Display() const { return m_display; }
    // The handles' hit and drawing areas: 10 x 10 squares centred on the crop's corners in the
    // order top-left, top-right, bottom-right, bottom-left.
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
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool Showing() const;
    // Fits the picture to the control's size, keeps the crop on the same part of the picture,
    // makes the first crop (and reports it) when there is none yet; only with a picture shown.
    void Relayout();
    void RebuildLayers();
    // Frames a crop given by SetCrop once the display has an area.
    void FrameGivenCrop();
    void SetCursorFor(int x, int y, bool arrowOutside);
    void DragHandle(int x, int y);
    void DragMove(int x, int y);

    SharedPicture m_picture;
    SkinRect m_crop;
    std::optional<SkinRect> m_givenCrop; // picture pixels, until there is a display to frame it in
    int m_lastX = 0;
    int m_lastY = 0;
    bool m_moving = false;
    SkinRect m_display;
    Handle m_handle = NoHandle;
    QImage m_dimLayer;
    QImage m_fullLayer;
    bool m_rebuild = true;
    SkinRect m_pictureSize;
    QSize m_layoutSize;     // the control size the layers were made for
    QImage m_placeholder;   // bitmap 134
    bool m_loading = false; // another thread is loading the next picture
    int m_layerBuilds = 0;
};
