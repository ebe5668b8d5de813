#pragma once
// The skin viewer: a resizable window with the player wearing a skin. The player window fills
// the viewer (less the room its decorations and controls take outside it), so resizing the viewer
// shows the header's stretch or tile behaviour at once. Flash controls play at their places when
// the flash player is there, and are drawn as named boxes otherwise. Try now opens it when no
// player is installed, with a line that says so and a link to install one.
#include "skin/SkinViewPicture.h"

#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

class CFlashStage;
class CFlashWnd;
class CLinkLabel;
class QLabel;

class CSkinViewerWnd : public QWidget {
    Q_OBJECT
public:
    explicit CSkinViewerWnd(QWidget* parent = nullptr);
    ~CSkinViewerWnd() override;

    // Opens the package; false with the message for the user when it cannot be shown.
    bool OpenPackageFile(const QString& packagePath, QString* error);
    // Shows the skin.
    void SetView(SkinView view);
    // The line over the picture that says no player was found, with the link to install one.
    void SetPlayerMissing(bool missing);

    // What is shown now, for tests and screenshots.
    QSize PlayerWindowSize() const { return m_window; }
    const QImage& Picture() const { return m_picture; }
    const SkinViewPicture::Layout& CurrentLayout() const { return m_layout; }
    bool ControlsPlay() const { return m_stage != nullptr; }
    QLabel* PlayerMissingLine() const { return m_missing; }
    // The line that says what the open changed in what the package says; hidden when nothing.
    QLabel* OpenWarningLine() const { return m_openWarning; }
    CLinkLabel* InstallLink() const { return m_install; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Draws the skin for the canvas's size and places the controls' movies.
    void Relayout();
    void PlaceMovies();

    SkinViewPicture m_skin;
    QWidget* m_missingRow = nullptr;
    QLabel* m_missing = nullptr;
    CLinkLabel* m_install = nullptr;
    QLabel* m_flashNote = nullptr;
    QLabel* m_openWarning = nullptr;
    QWidget* m_canvas = nullptr;
    QSize m_window;
    QImage m_picture;
    SkinViewPicture::Layout m_layout;
    std::unique_ptr<CFlashStage> m_stage;
    std::vector<std::unique_ptr<CFlashWnd>> m_movies;
};
