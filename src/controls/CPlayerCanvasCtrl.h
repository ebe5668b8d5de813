#pragma once
// The whole player window with the user's header and main colour on a larger grey canvas, with
// a decoration picture at each of the window's four outer corners, drawn at the corner point
// minus its offset. The control shows one corner of the canvas at a time; only the item of that
// corner takes the mouse, and a drag of it is reported as a delta for the owner to apply. A press
// elsewhere pans where the variant allows it.
#include "controls/CPngItem.h"
#include "imaging/PlayerWindowPicture.h"
#include "platform/HeaderSize.h"
#include "skin/Corner.h"
#include "skin/CornerItem.h"

#include <QList>

#include <QPoint>
#include <QWidget>

class CPlayerCanvasCtrl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCanvasWidth = 1004;
    static constexpr int kCanvasHeight = 780;
    // The player window on the canvas.
    static constexpr int kWindowLeft = 150;
    static constexpr int kWindowTop = 150;
    static constexpr int kWindowRight = 854;
    static constexpr int kWindowBottom = 630;

    explicit CPlayerCanvasCtrl(QWidget* parent = nullptr);
    ~CPlayerCanvasCtrl() override;

    // The corner's point of the window, and its quarter of the window.
    static QPoint Anchor(Corner corner);
    static SkinRect Quarter(Corner corner);

    void SetLook(const PlayerLook& look);

    // No items, the view at the canvas's top-left, the left-top corner current.
    void ResetItems();
    // Shows the decorations among items at their corners and offsets (a picture is read again
    // only when its file changed); the view stays where it is.
    void SetDecorations(const QList<CornerItem>& items);
    // Loads the corner's picture, centres it on the corner point and shows that corner. False
    // when the file cannot be read as a PNG picture; nothing changes then.
    bool LoadItemPicture(const QString& path, Corner corner);
    void RemoveItem(Corner corner);
    bool HasItem(Corner corner) const { return m_hasItem[corner]; }
    QSize ItemSize(Corner corner) const;
    // Places the item at the corner point minus offset, as given.
    void SetItemOffset(const QPoint& offset, Corner corner);
    QPoint ItemOffset(Corner corner) const;
    // Where the item lies on the canvas.
    QRect ItemRect(Corner corner) const;

    // Moves the view to the corner and makes that corner's item the one the mouse reaches.
    void ShowCorner(Corner corner);
    // Scrolls the view by the mouse's travel, stopping at the canvas edges.
    void ScrollBy(int dx, int dy);
    Corner CurrentCorner() const { return m_currentCorner; }
    QPoint Scroll() const { return {m_scrollX, m_scrollY}; }
    const PlayerWindowPicture& Look() const { return m_look; }

signals:
    // The user dragged the corner's item by delta (canvas pixels).
    void itemDragged(Corner corner, QPoint delta);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // The scroll or the tab text colour changed.
    virtual void ViewChanged();
    // Whether the corner items may be dragged (the controls page shows them fixed).
    void SetItemsEnabled(bool enabled);
    // Drawn between the items and the window's body; the frame preview draws the tab captions.
    virtual void DrawOverlay(QPainter& painter);
    // The mouse moved by dx, dy while the background is held.
    virtual void PanBy(int dx, int dy);

private:
    // The current corner's item when it takes the mouse at the point (canvas coordinates).
    bool CurrentItemAt(QPoint point) const;

    PerCorner<CPngItem> m_items;
    PerCorner<QString> m_files; // what each item was read from
    PerCorner<QPoint> m_offsets;
    PerCorner<bool> m_hasItem{};
    bool m_itemsEnabled = true;
    bool m_draggingItem = false;
    QPoint m_dragLast;
    PlayerWindowPicture m_look{118, 119}; // header background, body
    int m_scrollX = 0;
    int m_scrollY = 0;
    bool m_panning = false;
    int m_panX = 0;
    int m_panY = 0;
    Corner m_currentCorner = Corner::LeftTop;
};
