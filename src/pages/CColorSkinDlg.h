#pragma once
// Step 2: the colour page.
#include "pages/CWizardPage.h"

class CColorSkinDlg : public CWizardPage {
    Q_OBJECT
public:
    explicit CColorSkinDlg(QWidget* parent);
};
