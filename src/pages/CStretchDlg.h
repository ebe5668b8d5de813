#pragma once
// Step 3: the stretch page.
#include "pages/CWizardPage.h"

class CStretchDlg : public CWizardPage {
    Q_OBJECT
public:
    explicit CStretchDlg(QWidget* parent);
};
