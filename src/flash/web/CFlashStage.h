#pragma once
// The one web page that plays all flash controls of a preview: a transparent web view laid over
// the preview (its anchor), transparent to the mouse, whose page holds each movie in a box at the
// anchor's coordinates. The tab-label overlay and the selection shading are drawn in the page,
// above the movies, because nothing of Qt's can lie above a transparent web view. Calls made
// before the page has loaded are kept and run once it has. Implemented in the flash engine
// module (see FlashEngineModule.h), so this header stays free of the web engine.
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>

class CFlashStage {
public:
    virtual ~CFlashStage() = default;

    // A fresh movie box number; later boxes lie above earlier ones.
    virtual int NewMovieId() = 0;
    // Plays the file in box id at rect (anchor coordinates); an earlier movie of the box goes.
    virtual void OpenMovie(int id, const QString& path, const QRect& rect) = 0;
    virtual void CloseMovie(int id) = 0;
    virtual void MoveMovie(int id, const QPoint& topLeft) = 0;
    virtual void ShowMovie(int id, bool visible) = 0;
    virtual void ShadeMovie(int id, bool shaded) = 0;
    // A picture from the program's resources shown above all movies at rect; an empty name hides it.
    virtual void SetOverlay(const QString& resource, const QRect& rect) = 0;
    // The whole view, movies and overlay.
    virtual void SetVisible(bool visible) = 0;
    // Sizes the view to the anchor again.
    virtual void FitAnchor() = 0;

    virtual bool IsLoaded() const = 0;

    // Called once the page has loaded (the overlay lies in it from then on).
    std::function<void()> onLoaded;
    // Called when the movie of box id has drawn its first frame.
    std::function<void(int id)> onFirstFrame;
};
