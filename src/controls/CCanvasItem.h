#pragma once
// Something placed on the decorated player canvas that the user may drag. The base draws
// nothing and is 0 x 0; it keeps the rectangle, the limits and the drag. Coordinates are the
// canvas's, not the control's.
#include "platform/SkinRect.h"

#include <QString>

class QPainter;
class QWidget;

class CCanvasItem {
public:
    CCanvasItem() = default;
    virtual ~CCanvasItem() = default;
    CCanvasItem(const CCanvasItem&) = delete;
    CCanvasItem& operator=(const CCanvasItem&) = delete;

    virtual void Draw(QPainter& painter, bool gamma);
    virtual int Width() const { return 0; }
    virtual int Height() const { return 0; }
    // False when the file cannot be read; the item keeps what it had.
    virtual bool LoadFromFile(const QString& path);
    virtual void SetItemRect(const SkinRect& rect) { m_rect = rect; }
    // True when the move dragged the item.
    virtual bool OnMouseMove(int x, int y);
    // True when the item took the press (enabled and hit): the drag starts.
    virtual bool OnLButtonDown(int x, int y);
    virtual void OnLButtonUp(int x, int y);
    virtual void OnHover(int x, int y);

    // Sets the limits and puts the item at (0, 0) with its own size.
    void SetLimits(const SkinRect& limits);
    const SkinRect& Limits() const { return m_limits; }
    const SkinRect& ItemRect() const { return m_rect; }
    bool Contains(int x, int y) const;
    bool IsDragging() const { return m_dragging; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool IsEnabled() const { return m_enabled; }
    // The control that shows the item: repainted when it moves, its cursor shows the hand.
    void SetOwner(QWidget* owner) { m_owner = owner; }

protected:
    void ShowCursor(bool hand) const;
    void RepaintOwner() const;

    bool m_enabled = true;
    SkinRect m_rect;
    bool m_dragging = false;
    int m_lastX = 0;
    int m_lastY = 0;
    SkinRect m_limits;
    QWidget* m_owner = nullptr;
};
