#include "controls/CCanvasItem.h"

#include <QCursor>
#include <QWidget>

void CCanvasItem::Draw(QPainter&, bool) {}

bool CCanvasItem::LoadFromFile(const QString&)
{
    return false;
}

void CCanvasItem::SetLimits(const SkinRect& limits)
{
    m_limits = limits;
    m_rect = {0, 0, Width(), Height()};
}

bool CCanvasItem::Contains(int x, int y) const
{
    return x >= m_rect.left && x < m_rect.right && y >= m_rect.top && y < m_rect.bottom;
}

bool CCanvasItem::OnMouseMove(int x, int y)
{
    if (!m_enabled)
        return false;
    ShowCursor(Contains(x, y) || m_dragging);
    if (!m_dragging)
        return false;
    const int w = m_rect.Width();
    const int h = m_rect.Height();
    // The step, cut short where it would carry the item past its limits.
    int left = m_rect.left + x - m_lastX;
    if (left < m_limits.left)
        left = m_limits.left;
    else if (left + w > m_limits.right)
        left = m_limits.right - w;
    int top = m_rect.top + y - m_lastY;
    if (top < m_limits.top)
        top = m_limits.top;
    else if (top + h > m_limits.bottom)
        top = m_limits.bottom - h;
    SetItemRect({left, top, left + w, top + h});
    RepaintOwner();
    m_lastX = x;
    m_lastY = y;
    return true;
}

bool CCanvasItem::OnLButtonDown(int x, int y)
{
    if (!m_enabled || !Contains(x, y))
        return false;
    m_dragging = true;
    m_lastX = x;
    m_lastY = y;
    ShowCursor(true);
    return true;
}

void CCanvasItem::OnLButtonUp(int x, int y)
{
    m_dragging = false;
    ShowCursor(m_enabled && Contains(x, y));
}

void CCanvasItem::OnHover(int x, int y)
{
    if (m_enabled && Contains(x, y))
        ShowCursor(true);
}

void CCanvasItem::ShowCursor(bool hand) const
{
    if (m_owner != nullptr)
        m_owner->setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CCanvasItem::RepaintOwner() const
{
    if (m_owner != nullptr)
        m_owner->update();
}
