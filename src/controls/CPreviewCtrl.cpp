#include "controls/CPreviewCtrl.h"

#include "controls/ControlDrawing.h"
#include "imaging/CSkinImage.h"
#include "imaging/ImageLoading.h"
#include "ui/LanguagePictures.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

// The header's share of the preview height: 64/141 in single precision.
constexpr float kHeaderShare = 0.4539007f;

} // namespace

CPreviewCtrl::CPreviewCtrl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_placeholder = QImage(ShownBitmapPath(136)).convertToFormat(QImage::Format_ARGB32);
    SetMainColor(kInitialMainColor);
}

CPreviewCtrl::~CPreviewCtrl() = default;

SkinRect CPreviewCtrl::HeaderBandFor(int clientWidth, int clientHeight)
{
    const float bottom = static_cast<float>(clientHeight) * kHeaderShare;
    return {0, 0, clientWidth, static_cast<int>(bottom)};
}

void CPreviewCtrl::SetLook(const PlayerLook& look)
{
    SetPicture(look.picture);
    SetPictureRect(look.crop.left, look.crop.top, look.crop.right, look.crop.bottom);
    SetMainColor(look.mainColor);
    SetTabTextWhite(look.whiteTabText ? 1 : 0);
}

bool CPreviewCtrl::SetPicture(SharedPicture picture)
{
    if (picture == nullptr)
        return false;
    m_picture = std::move(picture);
    m_look.SetPicture(m_picture);
    m_rebuildPicture = true;
    m_hasPicture = true;
    RefreshPictureLayer();
    update();
    return true;
}

void CPreviewCtrl::SetPictureRect(int left, int top, int right, int bottom)
{
    m_pictureRect = {left, top, right, bottom};
    m_look.SetPictureRect(left, top, right, bottom);
    update();
}

void CPreviewCtrl::SetMainColor(ColorRef color)
{
    m_look.SetMainColor(color);
    m_dimBody = HalfStrength(m_look.Chrome(1));
    update();
}

void CPreviewCtrl::SetTabTextWhite(int flag)
{
    m_tabTextWhite = flag & 0xFF;
    m_look.SetTabTextWhite(m_tabTextWhite != 0);
    update();
}

void CPreviewCtrl::ClearPicture()
{
    m_hasPicture = false;
    m_picture.reset();
    m_look.SetPicture(nullptr);
    m_dimPicture = QImage();
    m_rebuildPicture = true;
    update();
}

SkinRect CPreviewCtrl::HeaderInset() const
{
    // The header is drawn with a 2-pixel inset.
    return {m_headerBand.left + 2, m_headerBand.top + 2, m_headerBand.right - 2, m_headerBand.bottom};
}

void CPreviewCtrl::PlaceHeader()
{
    m_headerBand = HeaderBandFor(width(), height());
    const SkinRect inset = HeaderInset();
    m_look.SetHeaderRatio(devicePixelRatioF());
    m_look.SetHeaderSize(QSize(static_cast<int>(inset.Width()), static_cast<int>(inset.Height())));
}

void CPreviewCtrl::FollowRatio()
{
    const double ratio = devicePixelRatioF();
    m_look.SetHeaderRatio(ratio);
    if (ratio != m_pictureLayerRatio) {
        m_rebuildPicture = true;
        RefreshPictureLayer();
    }
}

void CPreviewCtrl::RefreshPictureLayer()
{
    if (!m_rebuildPicture || !m_selectionEnabled || !m_hasPicture)
        return;
    RebuildPictureLayer();
    m_rebuildPicture = false;
}

void CPreviewCtrl::ResetSelection()
{
    if (!m_hasPicture)
        return;
    PlaceHeader();
    SkinRect selection = m_headerBand;
    selection.left = selection.right - 15;
    selection.bottom -= 1;
    const int shift = m_headerBand.Width() / 2;
    selection.left -= shift;
    selection.right -= shift;
    m_selection = selection;
    m_selectionEnabled = true;
    RefreshPictureLayer();
    update();
}

void CPreviewCtrl::SetSelection(int left, int top, int right, int bottom)
{
    PlaceHeader();
    m_selection = {left, top, right, bottom};
    m_selectionEnabled = true;
    RefreshPictureLayer();
}

SkinRect CPreviewCtrl::SetSelectionEdges(int left, int right)
{
    const int oldLeft = m_selection.left;
    const int oldRight = m_selection.right;
    int newLeft = left;
    if (newLeft < InnerLeft())
        newLeft = InnerLeft();
    else if (newLeft > oldRight - 1)
        newLeft = oldRight - 1;
    int newRight = right;
    if (newRight > InnerRight())
        newRight = InnerRight();
    else if (newRight < oldLeft + 1)
        newRight = oldLeft + 1;
    // Each edge is checked against the other's old position; setting both at once could still
    // cross them, and a crossed selection would report a region whose left exceeds its right.
    if (newRight <= newLeft)
        newRight = newLeft + 1;
    m_selection.left = newLeft;
    m_selection.right = newRight;
    NotifyRegion();
    update();
    return m_selection;
}

void CPreviewCtrl::NotifyRegion()
{
    const int d = m_headerBand.Width() - 4;
    if (d <= 0)
        return; // never laid out: there is no header to map onto
    SkinRect region = m_pictureRect;
    const int64_t a = m_pictureRect.left;
    const int64_t span = static_cast<int64_t>(m_pictureRect.right) - a;
    // The header is drawn with a 2-pixel inset.
    region.left = static_cast<int32_t>(a + MulDiv(span, m_selection.left - 2, d));
    region.right = static_cast<int32_t>(a + MulDiv(span, m_selection.right - 2, d));
    if (region.left == region.right)
        region.right = region.left + 1;
    m_region = region;
    emit regionChanged(region);
}

void CPreviewCtrl::RebuildPictureLayer()
{
    m_dimPicture = QImage();
    const QSize size = m_picture->GetSize();
    if (size.width() <= 0 || size.height() <= 0 || width() <= 0)
        return;
    // Made in device pixels, so that a 2x screen shows the picture's detail.
    const double ratio = devicePixelRatioF();
    const int layerWidth = DeviceLength(width(), ratio);
    const int layerHeight =
        static_cast<int>(static_cast<double>(layerWidth) / size.width() * static_cast<double>(size.height()));
    if (layerHeight <= 0)
        return;
    QImage scratch(layerWidth, layerHeight, QImage::Format_RGB32);
    scratch.fill(Qt::black);
    {
        QPainter painter(&scratch);
        m_picture->DrawScaled(painter, 0, 0, layerWidth, layerHeight);
    }
    m_dimPicture = HalfStrength(scratch);
    m_pictureLayerWidth = width();
    m_pictureLayerRatio = ratio;
    ++m_pictureLayerBuilds;
}

void CPreviewCtrl::resizeEvent(QResizeEvent*)
{
    PlaceHeader();
    // The picture layer is made at the control's width; a new width needs a new layer.
    if (width() != m_pictureLayerWidth)
        m_rebuildPicture = true;
    RefreshPictureLayer();
}

void CPreviewCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect client = rect();
    if (!m_hasPicture || m_picture == nullptr) {
        if (m_placeholder.isNull())
            painter.fillRect(client, Qt::white);
        else
            painter.drawImage(client, m_placeholder);
        return;
    }
    FollowRatio();
    const SkinRect& band = m_headerBand;

    painter.fillRect(client, Qt::black);
    m_look.DrawChrome(painter, 0, band.ToQRect());
    PaintHeaderPicture(painter, HeaderInset());
    m_look.DrawTabOverlay(painter, 0, 0, static_cast<int>(band.Width()), static_cast<int>(band.Height()));

    const QRect bodyRect(client.left(), band.bottom, client.width(), client.height() - band.bottom);
    if (m_selectionEnabled)
        painter.drawImage(bodyRect, m_dimBody);
    else
        m_look.DrawChrome(painter, 1, bodyRect);
}

void CPreviewCtrl::PaintHeaderPicture(QPainter& painter, const SkinRect& inset) const
{
    const SkinRect& source = m_pictureRect;
    if (source.Width() <= 0 || source.Height() <= 0 || inset.Width() <= 0 || inset.Height() <= 0)
        return;
    if (!m_selectionEnabled) {
        m_look.DrawHeader(painter, QPoint(inset.left, inset.top));
        return;
    }

    const QSize pictureSize = m_picture->GetSize();
    if (!m_dimPicture.isNull() && pictureSize.width() > 0) {
        // The layer's own pixels per picture pixel (device pixels on a scaled screen).
        const double scale = static_cast<double>(m_dimPicture.width()) / pictureSize.width();
        const QRect dimSource(static_cast<int>(source.left * scale), static_cast<int>(source.top * scale),
                              static_cast<int>(source.Width() * scale),
                              static_cast<int>(source.Height() * scale));
        painter.drawImage(inset.ToQRect(), m_dimPicture, dimSource);
    }

    // The selected part at full strength. It is copied from the header rendition (made once per
    // header rectangle and size), so that dragging the selection never resamples the picture.
    const int headerWidth = m_headerBand.Width();
    if (headerWidth <= 0)
        return;
    const int64_t span = source.Width();
    const int64_t fromLeft = MulDiv(span, m_selection.left, headerWidth);
    const int64_t fromRight = MulDiv(span, m_selection.right, headerWidth);
    const QImage& header = m_look.Header();
    const int x0 = static_cast<int>(MulDiv(fromLeft, inset.Width(), span));
    const int x1 = static_cast<int>(MulDiv(fromRight, inset.Width(), span));
    const QRect target(m_selection.left, m_selection.top + 2, m_selection.Width(),
                       m_selection.bottom - m_selection.top - 2);
    // A narrow selection on a narrow crop copies a strip that rounds to nothing; the handles
    // are still drawn, or the user could not find the selection to widen it.
    const double ratio = header.devicePixelRatio();
    const int headerHeight = DeviceLength(std::min(target.height(), int(header.height() / ratio)), ratio);
    if (!header.isNull() && target.width() > 0 && target.height() > 0 && x1 > x0)
        painter.drawImage(target, header,
                          QRect(DeviceLength(x0, ratio), 0, DeviceLength(x1, ratio) - DeviceLength(x0, ratio),
                                headerHeight));

    painter.setPen(Qt::white);
    painter.setBrush(Qt::NoBrush);
    const int l = m_selection.left;
    const int r = m_selection.right;
    const int t = m_selection.top;
    const int b = m_selection.bottom;
    DrawOutline(painter, {l - 6, t + 2, l, t + 8});
    DrawOutline(painter, {r, t + 2, r + 6, t + 8});
    DrawOutline(painter, {l - 6, b - 6, l, b});
    DrawOutline(painter, {r, b - 6, r + 6, b});
}

CPreviewCtrl::Drag CPreviewCtrl::HitTest(int x, int y) const
{
    const SkinRect grab{m_selection.left - 4, m_selection.top - 4, m_selection.right + 4,
                        m_selection.bottom + 4};
    if (!RectContains(grab, x, y))
        return Drag::None;
    const int leftOfLeftEdge = m_selection.left - x;
    if (leftOfLeftEdge >= 0 && leftOfLeftEdge <= 3)
        return Drag::LeftEdge;
    const int rightOfRightEdge = x - m_selection.right;
    if (rightOfRightEdge >= 1 && rightOfRightEdge <= 3)
        return Drag::RightEdge;
    return Drag::Move;
}

void CPreviewCtrl::UpdateHoverCursor(int x, int y)
{
    const Drag hit = HitTest(x, y);
    const bool onEdge = hit == Drag::LeftEdge || hit == Drag::RightEdge;
    if ((onEdge || DraggingEdge()) && m_drag != Drag::Move)
        setCursor(Qt::SizeHorCursor);
    else if (m_drag != Drag::None || RectContains(m_selection, x, y))
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void CPreviewCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_picture == nullptr || !m_selectionEnabled)
        return;
    const int x = event->position().toPoint().x();
    const int y = event->position().toPoint().y();
    const Drag hit = HitTest(x, y);
    if (hit == Drag::None)
        return;
    m_drag = hit;
    setCursor(DraggingEdge() ? Qt::SizeHorCursor : Qt::PointingHandCursor);
    m_lastX = x;
}

void CPreviewCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (m_picture == nullptr || !m_selectionEnabled)
        return;
    const int x = event->position().toPoint().x();
    const int y = event->position().toPoint().y();
    UpdateHoverCursor(x, y);
    bool handled = false;
    if (DraggingEdge()) {
        if (m_drag == Drag::LeftEdge) {
            if (m_lastX - x > m_selection.left - InnerLeft())
                m_selection.left = InnerLeft();
            else
                m_selection.left = std::clamp(x, InnerLeft(), std::max(InnerLeft(), m_selection.right - 1));
        } else {
            if (x - m_lastX > InnerRight() - m_selection.right)
                m_selection.right = InnerRight();
            else
                m_selection.right = std::clamp(x, std::min(m_selection.left + 1, InnerRight()), InnerRight());
        }
        handled = true;
    } else if (m_drag == Drag::Move && (event->buttons() & Qt::LeftButton)) {
        int dx = x - m_lastX;
        if (m_selection.left + dx < InnerLeft())
            dx = InnerLeft() - m_selection.left;
        if (m_selection.right + dx > InnerRight())
            dx = InnerRight() - m_selection.right;
        m_selection.left += dx;
        m_selection.right += dx;
        handled = true;
    }
    if (handled) {
        m_lastX = x;
        update();
    }
}

void CPreviewCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (DraggingEdge())
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    NotifyRegion();
    // The edge drag ends with the button too; otherwise the edge would keep following the mouse.
    m_drag = Drag::None;
}

void CPreviewCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (RectContains(m_selection, p.x(), p.y())) {
        setCursor(Qt::PointingHandCursor);
        if (DraggingEdge())
            m_drag = Drag::None;
    }
}
