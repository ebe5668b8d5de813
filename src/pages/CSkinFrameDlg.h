#pragma once
// Step 4: the frame decoration page. The user hangs a PNG picture on any of the player window's
// four outer corners and shifts it with the two edits and their arrows, or by dragging it in the
// decorated preview. The decorations are the document's corner items; the edits show the selected
// corner's shift from its decoration's centred place.
#include "pages/CCornerPage.h"
#include "skin/CornerItem.h"

class CFramePreviewCtrl;
class QGroupBox;
class QLineEdit;
class QPushButton;

class CSkinFrameDlg : public CCornerPage {
    Q_OBJECT
public:
    CSkinFrameDlg(SkinDocument& document, QWidget* parent);

    void ResetPage() override;

    // Moves the shown corner's decoration by (dx, dy) pixels on the screen, as a drag would (the
    // wizard forwards the arrow keys on this step); false when that corner has none.
    bool NudgeDecoration(int dx, int dy);

    // Browse for the selected corner's picture (the open dialog), and Clear.
    void Browse();
    void Clear();

    QLineEdit* PathEdit() const { return m_pathEdit; }
    QPushButton* BrowseButton() const { return m_browseButton; }
    QPushButton* ClearButton() const { return m_clearButton; }
    CFramePreviewCtrl* Preview() const { return m_preview; }

    // The corner's decoration (an empty file when it has none) and its shift from the centred place.
    QString CornerPath(Corner corner) const { return CornerPlacement(corner).file; }
    CornerItem CornerPlacement(Corner corner) const;
    QPoint CornerShift(Corner corner) const;

protected:
    void OnTabChanged(Corner corner) override;
    void OnArrowStep(bool horizontal, int step) override;

private:
    void OnShiftsTyped();
    void OnItemDragged(Corner corner, QPoint delta);
    // Places the corner's decoration at the shift, as far as its limits let it go.
    void PlaceAtShift(Corner corner, QPoint shift);
    void ShowCornerState(Corner corner);

    QLineEdit* m_pathEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    CFramePreviewCtrl* m_preview = nullptr;
    QGroupBox* m_group = nullptr;

    Corner m_shownCorner = Corner::LeftTop; // the corner whose shift the edits show
};
