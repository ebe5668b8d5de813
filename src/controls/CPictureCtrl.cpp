#include "controls/CPictureCtrl.h"

#include "controls/ControlDrawing.h"
#include "imaging/ImageLoading.h"
#include "skin/HeaderCrop.h"
#include "ui/LanguagePictures.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

SkinRect FitDisplay(QSize picture, QSize client)
{
    const int64_t w = picture.width();
    const int64_t h = picture.height();
    const int64_t cw = client.width();
    const int64_t ch = client.height();
    if (w <= 0 || h <= 0 || cw <= 0 || ch <= 0)
        return {};
    if (w * ch <= h * cw) {
        // Fills the height.
        const auto width = static_cast<int32_t>(w * ch / h);
        const auto left = static_cast<int32_t>((cw - width) / 2);
        return {left, 0, left + width, static_cast<int32_t>(ch)};
    }
    const auto height = static_cast<int32_t>(h * cw / w);
    const auto top = static_cast<int32_t>((ch - height) / 2);
    return {0, top, static_cast<int32_t>(cw), top + height};
}

SkinRect CropToDisplay(const SkinRect& crop, const SkinRect& display, QSize picture)
{
    const int64_t w = picture.width();
    const int64_t h = picture.height();
    if (w <= 0 || h <= 0)
        return {};
    const int64_t dw = display.Width();
    const int64_t dh = display.Height();
    return {static_cast<int32_t>(display.left + dw * crop.left / w),
            static_cast<int32_t>(display.top + dh * crop.top / h),
            static_cast<int32_t>(display.left + dw * crop.right / w),
            static_cast<int32_t>(display.top + dh * crop.bottom / h)};
}

namespace {

Qt::CursorShape HandleCursor(int handle)
{
    return handle == CPictureCtrl::TopLeft || handle == CPictureCtrl::BottomRight ? Qt::SizeFDiagCursor
                                                                                  : Qt::SizeBDiagCursor;
}

int Rounded(double value)
{
    return static_cast<int>(std::lround(value));
}

} // namespace

CPictureCtrl::CPictureCtrl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    QImage placeholder(ShownBitmapPath(134));
    if (!placeholder.isNull())
        m_placeholder = placeholder.convertToFormat(QImage::Format_RGB32);
}

CPictureCtrl::~CPictureCtrl() = default;

void CPictureCtrl::SetPicture(SharedPicture picture)
{
    m_picture = std::move(picture);
    m_loading = false;
    m_moving = false;
    m_handle = NoHandle;
    m_layoutSize = QSize();
    m_crop = DefaultCrop(PictureSize());
    RebuildLayers();
    update();
    if (Showing() && !m_crop.IsEmpty())
        emit cropChanged(m_crop);
}

void CPictureCtrl::SetCrop(const SkinRect& crop)
{
    m_crop = crop;
    update();
}

void CPictureCtrl::BeginLoading()
{
    m_loading = true;
    m_moving = false;
    m_handle = NoHandle;
    update();
}

void CPictureCtrl::EndLoading()
{
    m_loading = false;
    RebuildLayers();
    update();
}

void CPictureCtrl::ClearPicture()
{
    m_picture = nullptr;
    m_loading = false;
    m_moving = false;
    m_handle = NoHandle;
    m_crop = {};
    m_display = {};
    m_dimLayer = QImage();
    m_fullLayer = QImage();
    update();
}

bool CPictureCtrl::Showing() const
{
    return !m_loading && m_picture != nullptr && m_picture->HasPicture();
}

QSize CPictureCtrl::PictureSize() const
{
    return m_picture != nullptr && m_picture->HasPicture() ? m_picture->GetSize() : QSize();
}

double CPictureCtrl::Scale() const
{
    return m_display.Width() > 0 ? static_cast<double>(PictureSize().width()) / m_display.Width() : 1.0;
}

QPointF CPictureCtrl::ToPicture(QPoint point) const
{
    const QSize size = PictureSize();
    if (m_display.Width() <= 0 || m_display.Height() <= 0)
        return {};
    return {(point.x() - m_display.left) * static_cast<double>(size.width()) / m_display.Width(),
            (point.y() - m_display.top) * static_cast<double>(size.height()) / m_display.Height()};
}

SkinRect CPictureCtrl::ShownCrop() const
{
    return CropToDisplay(m_crop, m_display, PictureSize());
}

void CPictureCtrl::Nudge(int dx, int dy)
{
    // Keys are ignored like the mouse while there is nothing to crop or a load is writing the picture.
    if (!Showing() || m_crop.IsEmpty())
        return;
    const auto step = [this](int screen) {
        if (screen == 0)
            return 0;
        const int picture = Rounded(screen * Scale());
        return picture != 0 ? picture : (screen < 0 ? -1 : 1);
    };
    const int w = static_cast<int>(m_crop.Width());
    const int h = static_cast<int>(m_crop.Height());
    const QSize size = PictureSize();
    const int left = std::clamp(m_crop.left + step(dx), 0, std::max(0, size.width() - w));
    const int top = std::clamp(m_crop.top + step(dy), 0, std::max(0, size.height() - h));
    m_crop = {left, top, left + w, top + h};
    update();
    emit cropChanged(m_crop);
}

void CPictureCtrl::resizeEvent(QResizeEvent*)
{
    if (size() != m_layoutSize)
        RebuildLayers();
}

void CPictureCtrl::RebuildLayers()
{
    m_dimLayer = QImage();
    m_fullLayer = QImage();
    if (!Showing())
        return;
    m_layoutSize = size();
    m_display = FitDisplay(PictureSize(), size());
    if (width() <= 0 || height() <= 0)
        return;
    // The layers hold device pixels: on a 2x screen the picture is resampled to twice the size,
    // never shown as an enlarged 1x rendition.
    const double ratio = devicePixelRatioF();
    m_layerRatio = ratio;
    m_fullLayer = QImage(DeviceSize(size(), ratio), QImage::Format_RGB32);
    m_fullLayer.fill(Qt::black);
    const SkinRect shown = DeviceRect(m_display, ratio);
    if (shown.Width() > 0 && shown.Height() > 0) {
        QPainter painter(&m_fullLayer);
        m_picture->DrawScaled(painter, shown.left, shown.top, shown.right, shown.bottom);
    }
    m_dimLayer = HalfStrength(m_fullLayer);
    m_fullLayer.setDevicePixelRatio(ratio);
    m_dimLayer.setDevicePixelRatio(ratio);
    ++m_layerBuilds;
}

std::array<SkinRect, 4> CPictureCtrl::HandleRects() const
{
    const SkinRect c = ShownCrop();
    const auto square = [](int x, int y) { return SkinRect{x - 5, y - 5, x + 5, y + 5}; };
    return {square(c.left, c.top), square(c.right, c.top), square(c.right, c.bottom),
            square(c.left, c.bottom)};
}

void CPictureCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!Showing()) {
        if (m_placeholder.isNull())
            painter.fillRect(rect(), QColor(192, 192, 192));
        else
            painter.drawImage(rect(), m_placeholder);
        return;
    }
    // The window moved to a screen of another scale: the layers follow it.
    if (devicePixelRatioF() != m_layerRatio)
        RebuildLayers();
    painter.fillRect(rect(), QColor(192, 192, 192));
    const QRect display = m_display.ToQRect();
    if (!m_dimLayer.isNull())
        painter.drawImage(display, m_dimLayer, DeviceRect(m_display, m_layerRatio).ToQRect());

    const SkinRect shownCrop = ShownCrop();
    const QRect crop = shownCrop.ToQRect();
    if (!m_fullLayer.isNull() && crop.isValid())
        painter.drawImage(crop, m_fullLayer, DeviceRect(shownCrop, m_layerRatio).ToQRect());

    painter.setPen(Qt::white);
    painter.setBrush(Qt::NoBrush);
    for (const SkinRect& handle : HandleRects())
        DrawOutline(painter, handle);
}

void CPictureCtrl::SetCursorFor(QPoint point)
{
    if (m_handle != NoHandle) {
        setCursor(HandleCursor(m_handle));
        return;
    }
    const auto handles = HandleRects();
    for (int i = 0; i < 4; ++i) {
        if (RectContains(handles[i], point.x(), point.y())) {
            setCursor(HandleCursor(i + 1));
            return;
        }
    }
    if (m_moving || RectContains(ShownCrop(), point.x(), point.y()))
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void CPictureCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !Showing())
        return;
    const QPoint p = event->position().toPoint();
    m_pressPoint = p;
    m_pressCrop = m_crop;
    const auto handles = HandleRects();
    for (int i = 0; i < 4; ++i) {
        if (RectContains(handles[i], p.x(), p.y())) {
            m_handle = static_cast<Handle>(i + 1);
            setCursor(HandleCursor(m_handle));
            return;
        }
    }
    if (RectContains(ShownCrop(), p.x(), p.y())) {
        setCursor(Qt::PointingHandCursor);
        m_moving = true;
    }
}

void CPictureCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (!Showing())
        return;
    const QPoint p = event->position().toPoint();
    SetCursorFor(p);
    if (!(event->buttons() & Qt::LeftButton))
        return;
    if (m_handle != NoHandle)
        DragHandle(p);
    else if (m_moving)
        DragMove(p);
    else
        return;
    update();
}

void CPictureCtrl::DragMove(QPoint point)
{
    // From where the drag began, so that no rounding adds up along the way.
    const QPointF from = ToPicture(m_pressPoint);
    const QPointF to = ToPicture(point);
    const QSize size = PictureSize();
    const int w = static_cast<int>(m_pressCrop.Width());
    const int h = static_cast<int>(m_pressCrop.Height());
    const int left =
        std::clamp(m_pressCrop.left + Rounded(to.x() - from.x()), 0, std::max(0, size.width() - w));
    const int top =
        std::clamp(m_pressCrop.top + Rounded(to.y() - from.y()), 0, std::max(0, size.height() - h));
    m_crop = {left, top, left + w, top + h};
}

void CPictureCtrl::DragHandle(QPoint point)
{
    const SkinRect& c = m_pressCrop;
    const bool movesLeft = m_handle == TopLeft || m_handle == BottomLeft;
    const bool movesTop = m_handle == TopLeft || m_handle == TopRight;
    // The opposite corner stays; the pointer proposes the width and (through the shape) the height,
    // and the smaller of the two leads, so that the crop never outgrows the pointer.
    const int anchorX = movesLeft ? c.right : c.left;
    const int anchorY = movesTop ? c.bottom : c.top;
    const QPointF p = ToPicture(point);
    const double byWidth = movesLeft ? anchorX - p.x() : p.x() - anchorX;
    const double byHeight = (movesTop ? anchorY - p.y() : p.y() - anchorY) * kHeaderWidthPerHeight;
    int width = std::max(0, Rounded(std::min(byWidth, byHeight)));
    // Room from the anchor to the picture's edges on the sides the handle moves toward.
    const QSize size = PictureSize();
    const int roomX = movesLeft ? anchorX : size.width() - anchorX;
    const int roomY = movesTop ? anchorY : size.height() - anchorY;
    width = std::min(width, roomX);
    while (width > 0 && CropHeightForWidth(width) > roomY)
        width = std::min(width - 1, CropWidthForHeight(roomY));
    width = std::max(
        width, std::min(CropWidthForHeight(kMinCropHeight), std::min(roomX, CropWidthForHeight(roomY))));
    const int height = std::min(CropHeightForWidth(width), roomY);
    const int left = movesLeft ? anchorX - width : anchorX;
    const int top = movesTop ? anchorY - height : anchorY;
    m_crop = {left, top, left + width, top + height};
}

void CPictureCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !Showing())
        return;
    const bool dragged = m_moving || m_handle != NoHandle;
    m_moving = false;
    m_handle = NoHandle;
    SetCursorFor(event->position().toPoint());
    if (dragged)
        emit cropChanged(m_crop);
}
