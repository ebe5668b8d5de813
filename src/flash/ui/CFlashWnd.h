#pragma once
// One flash control over its anchor (the preview): the movie's rectangle in the anchor's
// coordinates, where it was opened, whether it is shown, draggable and shaded as selected. The
// movie itself plays in the anchor's stage page when there is one; without a stage (no flash
// player installed) the control keeps its place all the same. Only the part inside the anchor is
// visible or takes the mouse.
#include <QPoint>
#include <QRect>
#include <QString>

class CFlashStage;
class QWidget;

class CFlashWnd {
public:
    // Create: no movie, hidden, draggable. The stage may be null.
    CFlashWnd(QWidget* anchor, CFlashStage* stage);
    ~CFlashWnd();
    CFlashWnd(const CFlashWnd&) = delete;
    CFlashWnd& operator=(const CFlashWnd&) = delete;

    // Plays the file at the anchor's top-left, sized to its stage; that place becomes the load
    // place. False when the file is not a readable SWF: the control is then closed, 0 x 0.
    bool OpenMovie(const QString& path);
    void CloseMovie();
    void Show(bool visible);
    void SetDraggable(bool draggable);
    // The faint shading that marks the selected control.
    void SetShaded(bool shaded);
    // How far the control has moved since it was opened.
    QPoint GetOffset() const;
    // At the load place moved by (dx, dy).
    void PlaceAtOffset(int dx, int dy);
    void MoveBy(int dx, int dy);
    // The anchor moved or changed size: the control keeps its place on it (its coordinates are
    // the anchor's) and the stage is fitted to the anchor again.
    void FollowAnchor();
    // Gives the control a stage that appeared after it was created; the movie starts there.
    void AttachStage(CFlashStage* stage);

    // The part of the control inside the anchor: what is drawn and takes the mouse.
    QRect VisibleRect() const;
    bool HitTest(const QPoint& point) const;

    const QRect& WindowRect() const { return m_window; }
    QSize StageSize() const { return m_window.size(); }
    const QString& Path() const { return m_path; }
    bool IsShown() const { return m_shown; }
    bool IsDraggable() const { return m_draggable; }
    bool IsShaded() const { return m_shaded; }
    // The movie's box in the stage page.
    int MovieId() const { return m_movieId; }

private:
    void Place();
    void SendState();

    QWidget* m_anchor;
    CFlashStage* m_stage;
    int m_movieId = -1;
    QString m_path;
    QRect m_window; // anchor coordinates; empty (0 x 0) without a movie
    QPoint m_load;  // the window's top-left right after OpenMovie
    bool m_shown = false;
    bool m_draggable = true;
    bool m_shaded = false;
};
