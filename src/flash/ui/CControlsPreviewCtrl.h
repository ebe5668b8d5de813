#pragma once
// The controls page's decorated player preview: the corner decorations are shown but fixed, the
// view does not pan, and up to kMaxFlash flash controls play above the window. Each control sits
// at its corner's anchor minus its offset; a press anywhere in its rectangle selects it and drags
// it. Only the part of a control inside the preview is visible or takes the mouse. The web view
// that plays the movies is made on the first AddFlash, never before.
#include "controls/CPlayerCanvasCtrl.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

class CFlashWnd;
class CFlashStage;

class CControlsPreviewCtrl : public CPlayerCanvasCtrl {
    Q_OBJECT
public:
    static constexpr int kMaxFlash = 20;

    explicit CControlsPreviewCtrl(QWidget* parent = nullptr);
    ~CControlsPreviewCtrl() override;

    // Plays the movie at the corner: a control already at that corner is reloaded with the file
    // (unless reuseCorner is false), otherwise the next free slot takes it. Returns the control's
    // index, or -1 when 20 are held or the file is not a readable SWF (nothing changes then).
    int AddFlash(const QString& path, int corner, bool reuseCorner = true);
    // Later controls move down one place; none is selected afterwards.
    void RemoveFlash(int index);
    void RemoveAllFlash();
    // Places the control at its anchor minus (x, y), in canvas terms, and gives it that corner.
    void SetFlashOffset(int x, int y, int corner, int index);
    // Anchor minus the control's top-left, in canvas terms.
    QPoint GetFlashOffset(int index) const;
    // The movie's stage size.
    QSize GetFlashSize(int index) const;
    void MoveFlashBy(int dx, int dy, int index);
    // -1: none. Only the selected control shows its shading.
    void SelectFlash(int index);
    int SelectedFlash() const;
    // All controls and the tab overlay.
    void ShowFlash(bool visible);
    // The wizard moved: keeps every control on its place over the preview.
    void FollowWindowMove();
    int FlashCount() const;
    int FlashCorner(int index) const;
    QString FlashPath(int index) const;

    // False when the bundled flash player files are missing: the page then says
    // FlashPlaybackMissingText() and controls are still listed, saved and opened, just not played.
    static bool FlashPlaybackAvailable();
    static QString FlashPlaybackMissingText();

    // Both also move every control by the scroll's change, so each keeps its place on the canvas.
    void ShowCorner(int corner) override;
    void ScrollBy(int dx, int dy) override;

signals:
    // A press took hold of the control, which is now selected.
    void flashSelected(int index);
    // The user dragged the control.
    void flashMoved(int index);

protected:
    void DrawOverlay(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Slot {
        std::unique_ptr<CFlashWnd> window;
        int corner = 0;
    };

    bool IsIndex(int index) const;
    // The topmost control under the point (widget coordinates) that takes the mouse, or -1.
    int HitTest(const QPoint& point) const;
    // Makes the stage on first need, when the flash player is there and the host runs.
    void EnsureStage();
    // Every control by the scroll's change, so each keeps its place on the canvas.
    void FollowScroll(const QPoint& before);
    // The tab overlay in the stage page, above the movies, where the canvas shows it now.
    void SyncOverlay();
    bool StageShowsOverlay() const;

    std::unique_ptr<CFlashStage> m_stage;
    std::vector<Slot> m_flash;
    int m_selected = -1;
    int m_dragging = -1;
    QPoint m_dragLast;
    bool m_visible = true;
    QString m_overlaySent; // the overlay picture and place last given to the stage
};
