#include "controls/CPlayerCanvasCtrl.h"

#include "skin/CornerPlacement.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kQuarterWidth = 352;
constexpr int kQuarterHeight = 240;

} // namespace

CPlayerCanvasCtrl::CPlayerCanvasCtrl(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The header lies 2 pixels inside the chrome band, one row short of its bottom.
    m_look.SetHeaderSize(QSize(kWindowRight - kWindowLeft - 4, kChromeHeight - 3));
}

CPlayerCanvasCtrl::~CPlayerCanvasCtrl() = default;

QPoint CPlayerCanvasCtrl::Anchor(Corner corner)
{
    return {IsLeft(corner) ? kWindowLeft : kWindowRight, IsTop(corner) ? kWindowTop : kWindowBottom};
}

SkinRect CPlayerCanvasCtrl::Quarter(Corner corner)
{
    const int dx = IsLeft(corner) ? 0 : kQuarterWidth;
    const int dy = IsTop(corner) ? 0 : kQuarterHeight;
    return {kWindowLeft + dx, kWindowTop + dy, kWindowLeft + kQuarterWidth + dx,
            kWindowTop + kQuarterHeight + dy};
}

void CPlayerCanvasCtrl::SetLook(const PlayerLook& look)
{
    m_look.SetLook(look);
    ViewChanged();
    update();
}

void CPlayerCanvasCtrl::ResetItems()
{
    m_hasItem.fill(false);
    m_scrollX = 0;
    m_scrollY = 0;
    m_currentCorner = Corner::LeftTop;
    ViewChanged();
    update();
}

void CPlayerCanvasCtrl::SetDecorations(const QList<CornerItem>& items)
{
    for (Corner corner : kCorners) {
        const auto found = std::find_if(items.begin(), items.end(), [corner](const CornerItem& item) {
            return item.IsDecoration() && item.corner == corner;
        });
        if (found == items.end()) {
            m_hasItem[corner] = false;
            continue;
        }
        if (!m_hasItem[corner] || m_files[corner] != found->file) {
            m_hasItem[corner] = m_items[corner].LoadFromFile(found->file);
            m_files[corner] = found->file;
        }
        m_offsets[corner] = found->offset;
    }
    update();
}

bool CPlayerCanvasCtrl::LoadItemPicture(const QString& path, Corner corner)
{
    if (!m_items[corner].LoadFromFile(path))
        return false;
    m_hasItem[corner] = true;
    m_files[corner] = path;
    m_offsets[corner] = DefaultCornerOffset(m_items[corner].Size());
    ShowCorner(corner);
    return true;
}

void CPlayerCanvasCtrl::RemoveItem(Corner corner)
{
    m_hasItem[corner] = false;
    update();
}

QSize CPlayerCanvasCtrl::ItemSize(Corner corner) const
{
    return m_hasItem[corner] ? m_items[corner].Size() : QSize();
}

void CPlayerCanvasCtrl::SetItemOffset(const QPoint& offset, Corner corner)
{
    m_offsets[corner] = offset;
    update();
}

QPoint CPlayerCanvasCtrl::ItemOffset(Corner corner) const
{
    return m_offsets[corner];
}

QRect CPlayerCanvasCtrl::ItemRect(Corner corner) const
{
    if (!m_hasItem[corner])
        return {};
    return {Anchor(corner) - m_offsets[corner], m_items[corner].Size()};
}

void CPlayerCanvasCtrl::ShowCorner(Corner corner)
{
    // A client wider or higher than the canvas keeps the canvas at its left or top edge.
    const int right = std::max(0, kCanvasWidth - width());
    const int bottom = std::max(0, kCanvasHeight - height());
    m_scrollX = IsLeft(corner) ? 0 : right;
    m_scrollY = IsTop(corner) ? 0 : bottom;
    m_currentCorner = corner;
    ViewChanged();
    update();
}

void CPlayerCanvasCtrl::ScrollBy(int dx, int dy)
{
    m_scrollX = std::clamp(m_scrollX - dx, 0, std::max(0, kCanvasWidth - width()));
    m_scrollY = std::clamp(m_scrollY - dy, 0, std::max(0, kCanvasHeight - height()));
    ViewChanged();
    update();
}

void CPlayerCanvasCtrl::SetItemsEnabled(bool enabled)
{
    m_itemsEnabled = enabled;
}

bool CPlayerCanvasCtrl::CurrentItemAt(QPoint point) const
{
    return m_itemsEnabled && ItemRect(m_currentCorner).contains(point);
}

void CPlayerCanvasCtrl::ViewChanged() {}

void CPlayerCanvasCtrl::DrawOverlay(QPainter&) {}

void CPlayerCanvasCtrl::PanBy(int, int) {}

void CPlayerCanvasCtrl::paintEvent(QPaintEvent*)
{
    // The header is resampled for the screen's device pixels (once per ratio).
    m_look.SetHeaderRatio(devicePixelRatioF());
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
    painter.translate(-m_scrollX, -m_scrollY);
    m_look.DrawChrome(painter, 0, QRect(kWindowLeft, kWindowTop, kWindowRight - kWindowLeft, kChromeHeight));
    m_look.DrawHeader(painter, QPoint(kWindowLeft + 2, kWindowTop + 2));
    // Right-bottom first, left-top last; the tab captions and the body lie above them.
    for (auto it = kCorners.rbegin(); it != kCorners.rend(); ++it) {
        const Corner corner = *it;
        if (m_hasItem[corner])
            m_items[corner].Draw(painter, Anchor(corner) - m_offsets[corner]);
    }
    DrawOverlay(painter);
    m_look.DrawChrome(painter, 1,
                      QRect(kWindowLeft, kWindowTop + kChromeHeight, kWindowRight - kWindowLeft,
                            kWindowBottom - kWindowTop - kChromeHeight));
}

void CPlayerCanvasCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    if (CurrentItemAt(p + Scroll())) {
        m_draggingItem = true;
        m_dragLast = p;
        setCursor(Qt::PointingHandCursor);
        return;
    }
    m_panning = true;
    m_panX = p.x();
    m_panY = p.y();
}

void CPlayerCanvasCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (m_draggingItem) {
        const QPoint delta = p - m_dragLast;
        m_dragLast = p;
        if (!delta.isNull())
            emit itemDragged(m_currentCorner, delta);
        return;
    }
    if (m_itemsEnabled)
        setCursor(CurrentItemAt(p + Scroll()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (m_panning) {
        PanBy(p.x() - m_panX, p.y() - m_panY);
        m_panX = p.x();
        m_panY = p.y();
    }
}

void CPlayerCanvasCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    m_panning = false;
    m_draggingItem = false;
    setCursor(CurrentItemAt(p + Scroll()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}
