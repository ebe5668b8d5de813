#include "controls/CPlayerCanvasCtrl.h"

#include "controls/CPngItem.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kQuarterWidth = 352;
constexpr int kQuarterHeight = 240;

bool IsCorner(int corner)
{
    return corner >= 0 && corner < 4;
}

} // namespace

CPlayerCanvasCtrl::CPlayerCanvasCtrl(QWidget* parent) : QWidget(parent)
{
    for (auto& item : m_items) {
        item = std::make_unique<CPngItem>();
        item->SetOwner(this);
    }
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CPlayerCanvasCtrl::~CPlayerCanvasCtrl() = default;

QPoint CPlayerCanvasCtrl::Anchor(int corner)
{
    return {corner % 2 == 0 ? kWindowLeft : kWindowRight, corner < 2 ? kWindowTop : kWindowBottom};
}

SkinRect CPlayerCanvasCtrl::Quarter(int corner)
{
    const int dx = corner % 2 == 0 ? 0 : kQuarterWidth;
    const int dy = corner < 2 ? 0 : kQuarterHeight;
    return {kWindowLeft + dx, kWindowTop + dy, kWindowLeft + kQuarterWidth + dx,
            kWindowTop + kQuarterHeight + dy};
}

void CPlayerCanvasCtrl::SetPicture(SharedPicture picture)
{
    if (picture == nullptr)
        return;
    m_look.SetPicture(std::move(picture));
    update();
}

void CPlayerCanvasCtrl::SetPictureRect(int left, int top, int right, int bottom)
{
    m_look.SetPictureRect(left, top, right, bottom);
    update();
}

void CPlayerCanvasCtrl::SetMainColor(ColorRef colour)
{
    m_look.SetMainColor(colour);
    update();
}

void CPlayerCanvasCtrl::SetTabTextWhite(bool white)
{
    m_look.SetTabTextWhite(white);
    ViewChanged();
    update();
}

void CPlayerCanvasCtrl::ResetItems()
{
    m_hasItem.fill(false);
    m_scrollX = 0;
    m_scrollY = 0;
    m_currentCorner = 0;
    ViewChanged();
    update();
}

bool CPlayerCanvasCtrl::LoadItemPicture(const QString& path, int corner)
{
    if (!IsCorner(corner))
        return false;
    CPngItem& item = *m_items[corner];
    if (!item.LoadFromFile(path))
        return false;
    // The item may lie wholly outside the window, but no further.
    const SkinRect quarter = Quarter(corner);
    const int w = item.Width();
    const int h = item.Height();
    item.SetLimits({quarter.left - w, quarter.top - h, quarter.right + w, quarter.bottom + h});
    m_hasItem[corner] = true;
    ShowCorner(corner);
    int dx = 0;
    int dy = 0;
    MoveItem(dx, dy, corner);
    return true;
}

void CPlayerCanvasCtrl::RemoveItem(int corner)
{
    if (!IsCorner(corner))
        return;
    m_hasItem[corner] = false;
    update();
}

void CPlayerCanvasCtrl::ShowCorner(int corner)
{
    if (!IsCorner(corner))
        return;
    // A client wider or higher than the canvas keeps the canvas at its left or top edge.
    const int right = std::max(0, kCanvasWidth - width());
    const int bottom = std::max(0, kCanvasHeight - height());
    m_scrollX = corner % 2 == 0 ? 0 : right;
    m_scrollY = corner < 2 ? 0 : bottom;
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

SkinRect CPlayerCanvasCtrl::DefaultRect(int corner) const
{
    const CPngItem& item = *m_items[corner];
    const QPoint anchor = Anchor(corner);
    const int w = item.Width();
    const int h = item.Height();
    return {anchor.x() - w / 2, anchor.y() - h / 2, anchor.x() - w / 2 + w, anchor.y() - h / 2 + h};
}

void CPlayerCanvasCtrl::MoveItem(int& dx, int& dy, int corner)
{
    if (!IsCorner(corner) || !m_hasItem[corner])
        return;
    CPngItem& item = *m_items[corner];
    const SkinRect d = DefaultRect(corner);
    const SkinRect& limits = item.Limits();
    const int w = item.Width();
    const int h = item.Height();
    if (dx > limits.right - w - d.left)
        dx = limits.right - w - d.left;
    else if (dx < limits.left - d.left)
        dx = limits.left - d.left;
    if (dy > limits.bottom - h - d.top)
        dy = limits.bottom - h - d.top;
    else if (dy < limits.top - d.top)
        dy = limits.top - d.top;
    item.SetItemRect({d.left + dx, d.top + dy, d.right + dx, d.bottom + dy});
    update();
}

void CPlayerCanvasCtrl::GetItemShift(int& dx, int& dy, int corner) const
{
    if (!IsCorner(corner))
        return;
    const SkinRect d = DefaultRect(corner);
    const SkinRect& rect = m_items[corner]->ItemRect();
    dx = rect.left - d.left;
    dy = rect.top - d.top;
}

QPoint CPlayerCanvasCtrl::GetItemOffset(int corner) const
{
    if (!IsCorner(corner))
        return {};
    const SkinRect& rect = m_items[corner]->ItemRect();
    return Anchor(corner) - QPoint(rect.left, rect.top);
}

void CPlayerCanvasCtrl::SetItemOffset(const QPoint& offset, int corner)
{
    if (!IsCorner(corner))
        return;
    CPngItem& item = *m_items[corner];
    const QPoint topLeft = Anchor(corner) - offset;
    item.SetItemRect({topLeft.x(), topLeft.y(), topLeft.x() + item.Width(), topLeft.y() + item.Height()});
    update();
}

void CPlayerCanvasCtrl::SetItemsEnabled(bool enabled)
{
    for (auto& item : m_items)
        item->SetEnabled(enabled);
}

CPngItem* CPlayerCanvasCtrl::CurrentItem() const
{
    return IsCorner(m_currentCorner) && m_hasItem[m_currentCorner] ? m_items[m_currentCorner].get() : nullptr;
}

void CPlayerCanvasCtrl::ViewChanged() {}

void CPlayerCanvasCtrl::DrawOverlay(QPainter&) {}

void CPlayerCanvasCtrl::PanBy(int, int) {}

void CPlayerCanvasCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
    painter.translate(-m_scrollX, -m_scrollY);
    m_look.DrawChrome(painter, 0, QRect(kWindowLeft, kWindowTop, kWindowRight - kWindowLeft, kChromeHeight));
    m_look.DrawHeader(painter,
                      {kWindowLeft + 2, kWindowTop + 2, kWindowRight - 2, kWindowTop + kChromeHeight - 1});
    // Corner 3 first, corner 0 last; the tab captions and the body lie above them.
    for (int corner = 3; corner >= 0; --corner) {
        if (m_hasItem[corner])
            m_items[corner]->Draw(painter, false);
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
    CPngItem* item = CurrentItem();
    if (item != nullptr && item->OnLButtonDown(p.x() + m_scrollX, p.y() + m_scrollY))
        return;
    m_panning = true;
    m_panX = p.x();
    m_panY = p.y();
}

void CPlayerCanvasCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (CPngItem* item = CurrentItem();
        item != nullptr && item->OnMouseMove(p.x() + m_scrollX, p.y() + m_scrollY))
        emit itemMoved(m_currentCorner);
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
    setCursor(Qt::ArrowCursor);
    if (CPngItem* item = CurrentItem())
        item->OnLButtonUp(p.x() + m_scrollX, p.y() + m_scrollY);
}
