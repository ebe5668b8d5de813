#pragma once
// Step 4: the frame decoration page. The user hangs a PNG picture on any of the player window's
// four outer corners and shifts it with the two edits and their arrows, or by dragging it in the
// decorated preview. The page keeps each corner's decoration as data (its offset from the corner
// point, as the project keeps it); the edits show the shift from the decoration's centred place.
#include "pages/CCornerPage.h"
#include "skin/Placement.h"

class CFramePreviewCtrl;
class QGroupBox;
class QLineEdit;
class QPushButton;

class CSkinFrameDlg : public CCornerPage {
    Q_OBJECT
public:
    explicit CSkinFrameDlg(QWidget* parent);

    void LoadFromProject(SkinProject& project) override;
    void SaveToProject(SkinProject& project) override;
    void ResetPage() override;
    void ShowOpenedProject(SkinProject& project) override;

    // Browse for the selected corner's picture (the open dialog), and Clear.
    void Browse();
    void Clear();

    QLineEdit* PathEdit() const { return m_pathEdit; }
    QPushButton* BrowseButton() const { return m_browseButton; }
    QPushButton* ClearButton() const { return m_clearButton; }
    CFramePreviewCtrl* Preview() const { return m_preview; }

    const QString& CornerPath(Corner corner) const { return m_corners[corner].place.file; }
    const Placement& CornerPlacement(Corner corner) const { return m_corners[corner].place; }
    // The shift the edits show for the corner (typed values as typed).
    QPoint CornerShift(Corner corner) const { return m_corners[corner].shift; }

protected:
    void OnTabChanged(Corner corner) override;
    void OnArrowStep(bool horizontal, int step) override;

private:
    struct Decoration {
        Placement place; // no file: no decoration
        QPoint shift;
    };

    void OnShiftsTyped();
    void OnItemDragged(Corner corner, QPoint delta);
    // Places the corner's decoration at the shift, as far as its limits let it go; returns the
    // shift it got.
    QPoint PlaceAtShift(Corner corner, QPoint shift);
    void ShowCornerState(Corner corner);

    QLineEdit* m_pathEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    CFramePreviewCtrl* m_preview = nullptr;
    QGroupBox* m_group = nullptr;

    PerCorner<Decoration> m_corners;
    QPoint m_current; // the shift the edits show
};
