#pragma once
// Step 4: the frame decoration page. The user hangs a PNG picture on any of the player window's
// four outer corners and shifts it with the two edits and their arrows, or by dragging it in the
// decorated preview. The page keeps each corner's decoration as data (its offset from the corner
// point, as the project keeps it); the edits show the shift from the decoration's centred place.
#include "pages/CWizardPage.h"
#include "skin/Placement.h"

#include <array>

class CFramePreviewCtrl;
class CLinkLabel;
class CPictureLabel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabBar;

class CSkinFrameDlg : public CWizardPage {
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

    QTabBar* CornerTabs() const { return m_tabs; }
    QLineEdit* PathEdit() const { return m_pathEdit; }
    QPushButton* BrowseButton() const { return m_browseButton; }
    QPushButton* ClearButton() const { return m_clearButton; }
    QLineEdit* XEdit() const { return m_xEdit; }
    QLineEdit* YEdit() const { return m_yEdit; }
    QScrollBar* XArrows() const { return m_xArrows; }
    QScrollBar* YArrows() const { return m_yArrows; }
    CFramePreviewCtrl* Preview() const { return m_preview; }
    CLinkLabel* HelpLink() const { return m_helpLink; }
    CPictureLabel* Diagram() const { return m_diagram; }

    int SelectedCorner() const;
    const QString& CornerPath(int corner) const { return m_corners[corner].place.file; }
    const Placement& CornerPlacement(int corner) const { return m_corners[corner].place; }
    // The shift the edits show for the corner (typed values as typed).
    QPoint CornerShift(int corner) const { return m_corners[corner].shift; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Corner {
        Placement place; // no file: no decoration
        QPoint shift;
    };

    void SelectCorner(int corner);
    void OnTabChanged(int corner);
    void OnShiftsTyped();
    void OnArrows(bool horizontal, int action);
    void OnItemDragged(int corner, QPoint delta);
    // Places the corner's decoration at the shift, as far as its limits let it go; returns the
    // shift it got.
    QPoint PlaceAtShift(int corner, QPoint shift);
    void ShowCornerState(int corner);
    void RefreshEdits();
    void LayoutControls();

    QTabBar* m_tabs = nullptr;
    QLineEdit* m_pathEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QLineEdit* m_xEdit = nullptr;
    QLineEdit* m_yEdit = nullptr;
    QScrollBar* m_xArrows = nullptr;
    QScrollBar* m_yArrows = nullptr;
    CFramePreviewCtrl* m_preview = nullptr;
    QGroupBox* m_group = nullptr;
    CLinkLabel* m_helpLink = nullptr;
    CPictureLabel* m_diagram = nullptr;

    std::array<Corner, 4> m_corners;
    QPoint m_current; // the shift the edits show
};
