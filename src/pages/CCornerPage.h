#pragma once
// Base of the frame and controls pages, which place things at the player window's four outer
// corners: the title, the help link and the diagram, the corner tabs, a shift row per axis (an
// edit, a one-pixel arrow bar and their labels) and the decorated preview below the group box,
// on the grey area.
#include "pages/CWizardPage.h"
#include "platform/SiteLinks.h"
#include "skin/Corner.h"

#include <QPoint>
#include <QRect>

class CLinkLabel;
class CPictureLabel;
class CPlayerCanvasCtrl;
class QGroupBox;
class QLineEdit;
class QScrollBar;
class QTabBar;

class CCornerPage : public CWizardPage {
    Q_OBJECT
public:
    Corner SelectedCorner() const;

    QTabBar* CornerTabs() const { return m_tabs; }
    QLineEdit* XEdit() const { return m_xEdit; }
    QLineEdit* YEdit() const { return m_yEdit; }
    QScrollBar* XArrows() const { return m_xArrows; }
    QScrollBar* YArrows() const { return m_yArrows; }
    CLinkLabel* HelpLink() const { return m_helpLink; }
    CPictureLabel* Diagram() const { return m_diagram; }

protected:
    // Where one axis's row lies: its label, edit, arrow bar and unit label, with their names.
    struct ShiftRow {
        const char* labelName;
        QPoint labelAt;
        QRect edit;
        QRect arrows;
        const char* unitName;
        QPoint unitAt;
    };

    CCornerPage(int templateId, SkinDocument& document, QWidget* parent);

    void CreateHelpLink(const QString& text, SitePage page, const QRect& place);
    // The explanatory picture (bitmap resource id) at its own size.
    void CreateDiagram(QPoint at, int id);
    void CreateCornerTabs(const QRect& place);
    void CreateShiftRows(const ShiftRow& x, const ShiftRow& y);
    // The preview fills the page below the group box and shows the document's player and decorations.
    void SetPreviewArea(QGroupBox* group, CPlayerCanvasCtrl* preview);
    void LayoutPreview();

    // The edits show the shift (only where they do not already).
    void ShowShift(QPoint shift);
    void EnableShiftEdits(bool enabled);
    void SelectCornerTab(Corner corner);

    virtual void OnTabChanged(Corner corner) = 0;
    // An arrow of the row was pressed: step -1 or +1.
    virtual void OnArrowStep(bool horizontal, int step) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QTabBar* m_tabs = nullptr;
    QLineEdit* m_xEdit = nullptr;
    QLineEdit* m_yEdit = nullptr;
    QScrollBar* m_xArrows = nullptr;
    QScrollBar* m_yArrows = nullptr;
    CLinkLabel* m_helpLink = nullptr;
    CPictureLabel* m_diagram = nullptr;
    QGroupBox* m_group = nullptr;
    CPlayerCanvasCtrl* m_preview = nullptr;
};
