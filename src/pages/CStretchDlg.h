#pragma once
// Step 3: the stretch page. The user marks the section of the header that the player stretches
// or tiles when its window is wider than the header: by dragging in the header preview or with
// the two edge edits and their arrows, and chooses between stretching and tiling. A second
// preview shows the header across a wider player window. Region and mode are the document's; the
// page shows the region in preview pixels.
#include "controls/CStretchResultCtrl.h"
#include "pages/CWizardPage.h"
#include "platform/SkinRect.h"

class CPreviewCtrl;
class CLinkLabel;
class CPictureLabel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;

class CStretchDlg : public CWizardPage {
    Q_OBJECT
public:
    CStretchDlg(SkinDocument& document, QWidget* parent);

    void ResetPage() override;
    // Entering the step by Next: a skin that did not come with a region gets the default one.
    void StartStep();

    CPreviewCtrl* Preview() const { return m_preview; }
    CStretchResultCtrl* Result() const { return m_result; }
    QLineEdit* LeftEdit() const { return m_leftEdit; }
    QLineEdit* RightEdit() const { return m_rightEdit; }
    QScrollBar* LeftArrows() const { return m_leftArrows; }
    QScrollBar* RightArrows() const { return m_rightArrows; }
    QRadioButton* StretchRadio() const { return m_stretchRadio; }
    QRadioButton* TileRadio() const { return m_tileRadio; }
    CLinkLabel* HelpLink() const { return m_helpLink; }
    CPictureLabel* Illustration() const { return m_illustration; }

    // The selection's edges in preview pixels, as the edits show them.
    int LeftEdge() const { return m_leftEdge; }
    int RightEdge() const { return m_rightEdge; }
    StretchMode TileMode() const;
    // True while the page shows the region of an opened package.
    bool IsRestored() const { return m_restored; }

    // Top of the grey area under the settings (bottom of the settings group + 20).
    int GreyAreaTop() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    void showEvent(QShowEvent* event) override;

private:
    // The previews show the document's header and colours, and its region and mode.
    void ShowLook();
    void ShowRegion();
    void OnArrows(QScrollBar* bar, int action);
    void OnEditChanged();
    // The edges the edits hold, when both are whole numbers.
    bool TakeTypedEdges();
    // Sets the selection to the edges, as far as its limits let them go, and shows them.
    void ApplyEdges();
    void SetTileMode(StretchMode mode);
    void RefreshEdits();
    void LayoutControls();

    CPreviewCtrl* m_preview = nullptr;
    CStretchResultCtrl* m_result = nullptr;
    CLinkLabel* m_helpLink = nullptr;
    CPictureLabel* m_illustration = nullptr;
    QLabel* m_description = nullptr;
    QGroupBox* m_settingsGroup = nullptr;
    QGroupBox* m_illustrationGroup = nullptr;
    QLineEdit* m_leftEdit = nullptr;
    QLineEdit* m_rightEdit = nullptr;
    QScrollBar* m_leftArrows = nullptr;
    QScrollBar* m_rightArrows = nullptr;
    QRadioButton* m_stretchRadio = nullptr;
    QRadioButton* m_tileRadio = nullptr;
    QLabel* m_previewLabel = nullptr;

    int m_leftEdge = 0;
    int m_rightEdge = 0;
    bool m_restored = false; // the document came with its region (an opened package)
    int m_previewWidth = -1; // the preview's width when the selection last showed the region
};
