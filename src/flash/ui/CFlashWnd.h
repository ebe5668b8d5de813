#pragma once
// One flash control's box in the preview's stage page: the movie it plays, its rectangle in the
// preview's coordinates, whether it is shown and shaded as selected. Without a stage (no flash
// player installed) it only remembers that state, and plays it once a stage is attached.
#include <QRect>
#include <QString>

class CFlashStage;

class CFlashWnd {
public:
    // The stage may be null.
    explicit CFlashWnd(CFlashStage* stage);
    ~CFlashWnd();
    CFlashWnd(const CFlashWnd&) = delete;
    CFlashWnd& operator=(const CFlashWnd&) = delete;

    // Plays the file at rect: a different file or size opens the movie again, the same one only
    // moves.
    void Play(const QString& path, const QRect& rect);
    void Show(bool visible);
    // The faint shading that marks the selected control.
    void SetShaded(bool shaded);
    // Gives the box a stage that appeared after it was created; the movie starts there.
    void AttachStage(CFlashStage* stage);

    const QString& Path() const { return m_path; }
    const QRect& Rect() const { return m_rect; }
    bool IsShaded() const { return m_shaded; }

private:
    void SendState();

    CFlashStage* m_stage;
    int m_movieId = -1;
    QString m_path;
    QRect m_rect;
    bool m_shown = true;
    bool m_shaded = false;
};
