#pragma once
// Step 5: the controls page. The user places animated flash controls (local SWF files or
// controls downloaded from the gallery) at the player's four corners; they play in the decorated
// preview, where they can be dragged, or be stepped a pixel at a time with the arrow bars.
// The controls are the document's corner items; the list and the preview show one model of them
// and share one selection. The edits show the selected control's displacement from the place
// where it was loaded (centred on its corner).
#include "pages/CCornerPage.h"
#include "skin/CornerItem.h"
#include "skin/CornerItemsModel.h"

#include <QList>
#include <QPoint>

class CControlsPreviewCtrl;
class CWebFlashWnd;
class QGroupBox;
class QItemSelectionModel;
class QLabel;
class QPushButton;
class QTreeView;

class CWebFlashFrameDlg : public CCornerPage {
    Q_OBJECT
public:
    // Column "路径" of a control that came from the gallery.
    static QString DownloadedPathText() { return ::DownloadedPathText(); }

    CWebFlashFrameDlg(SkinDocument& document, QWidget* parent);

    void ResetPage() override;

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

    QTreeView* ControlList() const { return m_list; }
    CornerItemsModel* Model() const { return m_model; }
    QItemSelectionModel* Selection() const { return m_selection; }
    QPushButton* LocalFileButton() const { return m_localButton; }
    QPushButton* GalleryButton() const { return m_galleryButton; }
    // Null until the gallery was first opened.
    CWebFlashWnd* Gallery() const { return m_gallery; }
    QPushButton* DeleteButton() const { return m_deleteButton; }
    QPushButton* ClearButton() const { return m_clearButton; }
    CControlsPreviewCtrl* Preview() const { return m_preview; }
    QLabel* PlaybackNote() const { return m_playbackNote; }

    int RowCount() const { return m_model->rowCount(); }
    const CornerItem& Control(int row) const { return m_model->Item(row); }
    // The row's displacement from its load place, as the edits show it when it is selected.
    QPoint RowShift(int row) const;
    // The selected row, or -1.
    int SelectedRow() const;

protected:
    void OnTabChanged(Corner corner) override;
    void OnArrowStep(bool horizontal, int step) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Plays path at the corner: a control already there is replaced. Returns the row, or -1 after
    // telling the user why nothing changed.
    int PlaceAtCorner(const QString& path, Corner corner, const QString& name, bool fromGallery);
    void SelectRow(int row);

    void OnRowSelectionChanged();
    void OnControlDragged(int row, QPoint delta);
    void OnControlGrabbed(int row);
    // Moves the row's control by (dx, dy) preview pixels.
    void MoveControl(int row, QPoint by);
    void ShowSelectedShift();

    QTreeView* m_list = nullptr;
    CornerItemsModel* m_model = nullptr;
    QItemSelectionModel* m_selection = nullptr;
    QPushButton* m_localButton = nullptr;
    QPushButton* m_galleryButton = nullptr;
    CWebFlashWnd* m_gallery = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QGroupBox* m_group = nullptr;
    QGroupBox* m_diagramGroup = nullptr;
    QLabel* m_playbackNote = nullptr;
    CControlsPreviewCtrl* m_preview = nullptr;
    QPoint m_current;
};
