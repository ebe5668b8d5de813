#pragma once
// The controls page's decorated player preview: the corner decorations are shown but fixed, the
// view does not pan, and the flash controls it is given play above the window. Each control lies
// at its corner's anchor minus its offset minus the scroll; a press anywhere in its rectangle
// selects it, and a drag is reported as a delta for the owner to apply. Only the part of a
// control inside the preview is visible or takes the mouse. Given a model of the controls and a
// selection of it (those the controls list shows), the preview shows the model's rows and
// selects through the selection. The web view that plays the movies
// is made when the first control is shown or when the owner asks for it ahead of need, never at
// start; its engine is loaded off the user-interface thread first.
#include "controls/CPlayerCanvasCtrl.h"
#include "skin/CornerItem.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <memory>
#include <vector>

class CFlashWnd;
class CFlashStage;
class CornerItemsModel;
class QItemSelectionModel;

class CControlsPreviewCtrl : public CPlayerCanvasCtrl {
    Q_OBJECT
public:
    explicit CControlsPreviewCtrl(QWidget* parent = nullptr);
    ~CControlsPreviewCtrl() override;

    // Shows the model's rows and follows them; the selection is shared with the owner's list.
    void SetModel(CornerItemsModel* model, QItemSelectionModel* selection);
    // The controls to show, later ones above earlier ones. A control whose file or size changed
    // starts its movie again; the others only move.
    void SetControls(const QList<CornerItem>& controls);
    // Control index was removed: its movie goes, later ones keep playing; none is selected.
    void RemoveControl(int index);
    const QList<CornerItem>& Controls() const { return m_controls; }
    int FlashCount() const { return static_cast<int>(m_controls.size()); }
    // The control's rectangle in the preview's coordinates.
    QRect ControlRect(int index) const;

    // -1: none. Only the selected control shows its shading; with a selection model, the model's
    // selection follows.
    void SelectFlash(int index);
    int SelectedFlash() const { return m_selected; }
    // All controls and the tab overlay.
    void ShowFlash(bool visible);
    // The wizard moved or changed its size: the stage is fitted to the preview again.
    void FollowWindowMove();
    // Makes the stage ahead of need (the engine, the local host, the page and the player's
    // WebAssembly), so that the first control plays as soon as a later one does.
    void PrepareStage();
    // Whether the stage's page has loaded.
    bool StageReady() const;

    // False when the bundled flash player files are missing: the page then says
    // FlashPlaybackMissingText() and controls are still listed, saved and opened, just not played.
    static bool FlashPlaybackAvailable();
    static QString FlashPlaybackMissingText();

signals:
    // A press took hold of the control, which is now selected.
    void flashSelected(int index);
    // The user dragged the control by delta (preview pixels).
    void flashDragged(int index, QPoint delta);
    // A movie on the stage has drawn its first frame.
    void firstFrameDrawn();

protected:
    void ViewChanged() override;
    void DrawOverlay(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The window's minimising, which its widgets are not told of.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsIndex(int index) const;
    // The topmost control under the point (widget coordinates) that takes the mouse, or -1.
    int HitTest(const QPoint& point) const;
    // Makes the stage once its engine is loaded, when the flash player is there and the host runs.
    void EnsureStage();
    // Every movie box at its control's place.
    void PlaceMovies();
    // The tab overlay in the stage page, above the movies, where the canvas shows it now.
    void SyncOverlay();
    bool StageShowsOverlay() const;
    // The stage's view is shown while the controls are and the window is not minimised: a hidden
    // view draws nothing and its page pauses every movie.
    void SyncStageVisible();

    // The selection model's row changed.
    void FollowSelection();

    QList<CornerItem> m_controls;
    CornerItemsModel* m_model = nullptr;
    QItemSelectionModel* m_selection = nullptr;
    std::vector<std::unique_ptr<CFlashWnd>> m_movies; // one box per control, in the same order
    std::unique_ptr<CFlashStage> m_stage;
    int m_selected = -1;
    int m_dragging = -1;
    QPoint m_dragLast;
    bool m_visible = true;
    bool m_stagePending = false; // the engine is loading for the stage
    QString m_overlaySent;       // the overlay picture and place last given to the stage
};
