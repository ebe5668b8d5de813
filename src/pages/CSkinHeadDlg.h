#pragma once
// Step 1: the header image page.
#include "pages/CWizardPage.h"

class CSkinHeadDlg : public CWizardPage {
    Q_OBJECT
public:
    explicit CSkinHeadDlg(QWidget* parent);

    // Moves the crop frame by (dx, dy) pixels (the wizard forwards the arrow keys on step 1).
    void NudgeCrop(int dx, int dy);
};
