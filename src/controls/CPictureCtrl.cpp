#include "controls/CPictureCtrl.h"

#include "controls/ControlDrawing.h"
#include "imaging/ImageLoading.h"
#include "ui/LanguagePictures.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

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

SkinRect InitialCrop(const SkinRect& display)
{
    const int dw = display.Width();
    const int dh = display.Height();
    int width = 0;
    int height = 0;
    if (dh > dw * kCropHeightPerWidth) {
        width = dw;
        height = static_cast<int>(dw * kCropHeightPerWidth);
    } else {
        height = dh;
        width = static_cast<int>(dh * kCropWidthPerHeight);
    }
    SkinRect crop{display.left, display.top, display.left + width, display.top + height};
    const int dx = (display.left + display.right) / 2 - (crop.left + crop.right) / 2;
    const int dy = (display.top + display.bottom) / 2 - (crop.top + crop.bottom) / 2;
    crop.left += dx;
    crop.right += dx;
    crop.top += dy;
    crop.bottom += dy;
    return crop;
}

SkinRect CropToPicture(const SkinRect& crop, const SkinRect& display, QSize picture)
{
    const int64_t dw = display.Width();
    const int64_t dh = display.Height();
    if (dw == 0 || dh == 0)
        return {};
    const int64_t w = picture.width();
    const int64_t h = picture.height();
    return {static_cast<int32_t>(w * (crop.left - display.left) / dw),
            static_cast<int32_t>(h * (crop.top - display.top) / dh),
            static_cast<int32_t>(w * (crop.right - display.left) / dw),
            static_cast<int32_t>(h * (crop.bottom - display.top) / dh)};
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

// Carries a coordinate from one display rectangle to another of a different size.
int Carry(int value, int oldOrigin, int oldSize, int newOrigin, int newSize)
{
    const double scaled = static_cast<double>(value - oldOrigin) * (static_cast<double>(newSize) / oldSize);
    return newOrigin + static_cast<int>(scaled);
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
    m_crop = {};
    m_givenCrop.reset();
    m_moving = false;
    m_handle = NoHandle;
    m_rebuild = true;
    m_dimLayer = QImage();
    m_fullLayer = QImage();
    Relayout();
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
    Relayout();
    update();
}

void CPictureCtrl::ClearPicture()
{
    SetPicture(nullptr);
}

bool CPictureCtrl::Showing() const
{
    return !m_loading && m_picture != nullptr && m_picture->HasPicture();
}

void CPictureCtrl::Nudge(int dx, int dy)
{
    // Keys are ignored like the mouse while there is nothing to crop or a load is writing the picture.
    if (!Showing() || m_crop.right == m_crop.left)
        return;
    if (dx < 0)
        dx = std::max(dx, m_display.left - m_crop.left);
    else if (dx > 0)
        dx = std::min(dx, m_display.right - m_crop.right);
    if (dy < 0)
        dy = std::max(dy, m_display.top - m_crop.top);
    else if (dy > 0)
        dy = std::min(dy, m_display.bottom - m_crop.bottom);
    m_crop.left += dx;
    m_crop.right += dx;
    m_crop.top += dy;
    m_crop.bottom += dy;
    update();
    NotifyCrop();
}

void CPictureCtrl::NotifyCrop()
{
    if (m_display.Width() == 0 || m_display.Height() == 0)
        return;
    emit cropChanged(CropToPicture(m_crop, m_display, QSize(m_pictureSize.right, m_pictureSize.bottom)));
}

void CPictureCtrl::SetCrop(const SkinRect& crop)
{
    m_givenCrop = crop;
    if (!m_rebuild)
        FrameGivenCrop();
    update();
}

void CPictureCtrl::FrameGivenCrop()
{
    if (!m_givenCrop || m_display.Width() == 0 || m_display.Height() == 0)
        return;
    m_crop = CropToDisplay(*m_givenCrop, m_display, QSize(m_pictureSize.right, m_pictureSize.bottom));
    m_givenCrop.reset();
}

void CPictureCtrl::resizeEvent(QResizeEvent*)
{
    if (size() != m_layoutSize)
        m_rebuild = true;
    Relayout();
}

void CPictureCtrl::Relayout()
{
    if (!m_rebuild || !Showing())
        return;
    RebuildLayers();
    m_rebuild = false;
    FrameGivenCrop();
    if (m_crop.right == m_crop.left && m_display.Width() > 0 && m_display.Height() > 0) {
        m_crop = InitialCrop(m_display);
        NotifyCrop();
    }
    update();
}

void CPictureCtrl::RebuildLayers()
{
    m_dimLayer = QImage();
    m_fullLayer = QImage();
    const QSize size = m_picture->GetSize();
    m_pictureSize = {0, 0, size.width(), size.height()};
    m_layoutSize = this->size();

    const SkinRect oldDisplay = m_display;
    m_display = FitDisplay(size, this->size());
    if (m_crop.right != m_crop.left && oldDisplay.Width() > 0 && oldDisplay.Height() > 0) {
        // Keep the crop on the same part of the picture.
        const int ow = oldDisplay.Width();
        const int oh = oldDisplay.Height();
        const int nw = m_display.Width();
        const int nh = m_display.Height();
        m_crop.left = Carry(m_crop.left, oldDisplay.left, ow, m_display.left, nw);
        m_crop.right = Carry(m_crop.right, oldDisplay.left, ow, m_display.left, nw);
        m_crop.top = Carry(m_crop.top, oldDisplay.top, oh, m_display.top, nh);
        m_crop.bottom = Carry(m_crop.bottom, oldDisplay.top, oh, m_display.top, nh);
    }
    if (width() <= 0 || height() <= 0)
        return;

    m_fullLayer = QImage(this->size(), QImage::Format_RGB32);
    m_fullLayer.fill(Qt::black);
    if (m_display.Width() > 0 && m_display.Height() > 0) {
        QPainter painter(&m_fullLayer);
        m_picture->DrawScaled(painter, m_display.left, m_display.top, m_display.right, m_display.bottom);
    }
    m_dimLayer = HalfStrength(m_fullLayer);
    ++m_layerBuilds;
}

std::array<SkinRect, 4> CPictureCtrl::HandleRects() const
{
    const int w = m_crop.Width();
    const int h = m_crop.Height();
    std::array<SkinRect, 4> rects;
    SkinRect r{m_crop.left - 5, m_crop.top - 5, m_crop.left + 5, m_crop.top + 5};
    rects[0] = r;
    r = {r.left + w, r.top, r.right + w, r.bottom};
    rects[1] = r;
    r = {r.left, r.top + h, r.right, r.bottom + h};
    rects[2] = r;
    r = {r.left - w, r.top, r.right - w, r.bottom};
    rects[3] = r;
    return rects;
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
    painter.fillRect(rect(), QColor(192, 192, 192));
    const QRect display = m_display.ToQRect();
    if (!m_dimLayer.isNull())
        painter.drawImage(display.topLeft(), m_dimLayer, display);

    const QRect crop = m_crop.ToQRect();
    if (!m_fullLayer.isNull() && crop.isValid())
        painter.drawImage(crop.topLeft(), m_fullLayer, crop);

    painter.setPen(Qt::white);
    painter.setBrush(Qt::NoBrush);
    for (const SkinRect& handle : HandleRects())
        DrawOutline(painter, handle);
}

void CPictureCtrl::SetCursorFor(int x, int y, bool arrowOutside)
{
    if (m_handle != NoHandle) {
        setCursor(HandleCursor(m_handle));
        return;
    }
    const auto handles = HandleRects();
    for (int i = 0; i < 4; ++i) {
        if (RectContains(handles[i], x, y)) {
            setCursor(HandleCursor(i + 1));
            return;
        }
    }
    if (m_moving || RectContains(m_crop, x, y))
        setCursor(Qt::PointingHandCursor);
    else if (arrowOutside)
        unsetCursor();
}

void CPictureCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !Showing())
        return;
    const QPoint p = event->position().toPoint();
    const auto handles = HandleRects();
    for (int i = 0; i < 4; ++i) {
        if (RectContains(handles[i], p.x(), p.y())) {
            m_handle = static_cast<Handle>(i + 1);
            setCursor(HandleCursor(m_handle));
            return;
        }
    }
    if (RectContains(m_crop, p.x(), p.y())) {
        setCursor(Qt::PointingHandCursor);
        m_moving = true;
        m_lastX = p.x();
        m_lastY = p.y();
    }
}

void CPictureCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (!Showing())
        return;
    const QPoint p = event->position().toPoint();
    // Outside the crop the cursor is the window's own (the arrow).
    SetCursorFor(p.x(), p.y(), true);
    if (m_handle == NoHandle) {
        if (m_moving && (event->buttons() & Qt::LeftButton)) {
            DragMove(p.x(), p.y());
            update();
        }
        return;
    }
    DragHandle(p.x(), p.y());
    update();
}

void CPictureCtrl::DragMove(int x, int y)
{
    int dx = x - m_lastX;
    if (m_crop.left - m_display.left < m_lastX - x)
        dx = m_display.left - m_crop.left;
    else if (m_display.right - m_crop.right < x - m_lastX)
        dx = m_display.right - m_crop.right;
    int dy = y - m_lastY;
    if (m_crop.top - m_display.top < m_lastY - y)
        dy = m_display.top - m_crop.top;
    else if (m_display.bottom - m_crop.bottom < y - m_lastY)
        dy = m_display.bottom - m_crop.bottom;
    m_crop.left += dx;
    m_crop.right += dx;
    m_crop.top += dy;
    m_crop.bottom += dy;
    m_lastX = x;
    m_lastY = y;
}

void CPictureCtrl::DragHandle(int x, int y)
{
    SkinRect& c = m_crop;
    const bool movesLeft = m_handle == TopLeft || m_handle == BottomLeft;
    const bool movesTop = m_handle == TopLeft || m_handle == TopRight;

    // The candidate from the fixed opposite corner to the pointer.
    SkinRect n;
    switch (m_handle) {
    case TopLeft:
        n = {x, y, c.right, c.bottom};
        break;
    case TopRight:
        n = {c.left, y, x, c.bottom};
        break;
    case BottomRight:
        n = {c.left, c.top, x, y};
        break;
    default:
        n = {x, c.top, c.right, y};
        break;
    }
    const int64_t cross =
        static_cast<int64_t>(c.Width()) * n.Height() - static_cast<int64_t>(c.Height()) * n.Width();

    if (cross > 0) {
        // Proportionally taller than the crop: the width leads. A height that would leave
        // the display ignores the whole move.
        const double derived = n.Width() * kCropHeightPerWidth;
        if (movesTop ? c.bottom - derived < m_display.top : c.top + derived > m_display.bottom)
            return;
        if (movesLeft) {
            const double limit = c.right - kCropMinWidth;
            c.left = x > limit ? static_cast<int>(limit) : std::max(x, m_display.left);
        } else {
            const double limit = c.left + kCropMinWidth;
            c.right = x < limit ? static_cast<int>(limit) : std::min(x, m_display.right);
        }
        const double height = c.Width() * kCropHeightPerWidth;
        if (movesTop)
            c.top = static_cast<int>(c.bottom - height);
        else
            c.bottom = static_cast<int>(c.top + height);
        return;
    }

    // As tall or wider: the height leads. A width that would leave the display ignores the move.
    const double derived = n.Height() * kCropWidthPerHeight;
    if (movesLeft ? c.right - derived < m_display.left : c.left + derived > m_display.right)
        return;
    if (movesTop)
        c.top = y + kCropMinHeight > c.bottom ? c.bottom - kCropMinHeight : std::max(y, m_display.top);
    else
        c.bottom = y - kCropMinHeight < c.top ? c.top + kCropMinHeight : std::min(y, m_display.bottom);
    const double width = c.Height() * kCropWidthPerHeight;
    if (movesLeft)
        c.left = static_cast<int>(c.right - width);
    else
        c.right = static_cast<int>(c.left + width);
}

void CPictureCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !Showing())
        return;
    const QPoint p = event->position().toPoint();
    m_moving = false;
    m_handle = NoHandle;
    SetCursorFor(p.x(), p.y(), true);
    NotifyCrop();
}

void CPictureCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    SetCursorFor(p.x(), p.y(), true);
}
