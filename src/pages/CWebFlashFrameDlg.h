#pragma once
// Step 5: the controls page. The user places animated flash controls (local SWF files or
// controls downloaded from the gallery) at the player's four corners; they play in the decorated
// preview, where they can be dragged, or be stepped a pixel at a time with the arrow bars.
// The page keeps the controls as data: each one's placement (its offset from the corner point,
// as the project keeps it) and where it was loaded; the list rows and the preview show that. The
// edits show the selected control's displacement from the place where it was loaded.
#include "pages/CCornerPage.h"
#include "skin/Placement.h"

#include <QList>
#include <QPoint>

class CControlsPreviewCtrl;
class CWebFlashWnd;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// The list's name of a control file: its file name without folder and last extension.
QString ControlNameOf(const QString& path);
// The list's position text of a corner: "左上角", "右上角", "左下角", "右下角".
QString CornerPositionText(Corner corner);

class CWebFlashFrameDlg : public CCornerPage {
    Q_OBJECT
public:
    // Column "路径" of a control that came from the gallery.
    static QString DownloadedPathText() { return tr("Vadi动态控件"); }

    explicit CWebFlashFrameDlg(QWidget* parent);

    void LoadFromProject(SkinProject& project) override;
    void SaveToProject(SkinProject& project) override;
    void ResetPage() override;
    void ShowOpenedProject(SkinProject& project) override;

    // Button 1083: asks for a SWF file and plays it at the selected tab's corner.
    void ChooseLocalFile();
    // Button 1085: shows the control gallery (made on first use) beside the buttons.
    void OpenGallery();
    // Hides the gallery and drops a download it has under way: what the step lists is what is
    // saved, so nothing may join it once the user has left. Called on leaving the step and on Remake.
    void CloseGallery();
    // A control the gallery has downloaded: name for the list, localPath the movie file.
    void AddDownloadedControl(const QString& name, const QString& localPath);
    // Buttons 1084 and 1048.
    void DeleteSelected();
    void ClearAll();
    // The wizard window has moved or changed its size: the controls keep their place.
    void FollowOwner();
    // Moves the selected control by (dx, dy); false when no control is selected.
    bool NudgeSelected(int dx, int dy);

    QTreeWidget* ControlList() const { return m_list; }
    QPushButton* LocalFileButton() const { return m_localButton; }
    QPushButton* GalleryButton() const { return m_galleryButton; }
    // Null until the gallery was first opened.
    CWebFlashWnd* Gallery() const { return m_gallery; }
    QPushButton* DeleteButton() const { return m_deleteButton; }
    QPushButton* ClearButton() const { return m_clearButton; }
    CControlsPreviewCtrl* Preview() const { return m_preview; }
    QLabel* PlaybackNote() const { return m_playbackNote; }

    int RowCount() const { return static_cast<int>(m_controls.size()); }
    const Placement& Control(int row) const { return m_controls[row].place; }
    // The row's displacement from its load place, as the edits show it when it is selected.
    QPoint RowShift(int row) const { return m_controls[row].loadOffset - m_controls[row].place.offset; }

protected:
    void OnTabChanged(Corner corner) override;
    void OnArrowStep(bool horizontal, int step) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // A control on the page: where it lies, where it was loaded, and what its row says.
    struct PlacedControl {
        Placement place;
        QPoint loadOffset; // the offset it had when it was loaded
        QString name;
        QString pathText;
    };

    // Plays path at the corner: the row of a control already there is reused. Returns the row,
    // or -1 after telling the user why nothing changed.
    int PlaceAtCorner(const QString& path, Corner corner, const QString& name, const QString& pathText);
    int ControlAtCorner(Corner corner) const;
    // The list rows and the preview show the controls again.
    void ShowControls();
    void SelectRow(int row);
    void RemoveAllRows();

    void OnRowSelectionChanged();
    void OnControlDragged(int row, QPoint delta);
    void OnControlGrabbed(int row);
    // Moves the row's control by (dx, dy) preview pixels.
    void MoveControl(int row, QPoint by);

    QTreeWidget* m_list = nullptr;
    QPushButton* m_localButton = nullptr;
    QPushButton* m_galleryButton = nullptr;
    CWebFlashWnd* m_gallery = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QGroupBox* m_group = nullptr;
    QGroupBox* m_diagramGroup = nullptr;
    QLabel* m_playbackNote = nullptr;
    CControlsPreviewCtrl* m_preview = nullptr;

    QList<PlacedControl> m_controls;
    QPoint m_current;
};
