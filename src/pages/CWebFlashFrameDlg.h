#pragma once
// Step 5: the controls page.
#include "pages/CWizardPage.h"

class CWebFlashFrameDlg : public CWizardPage {
    Q_OBJECT
public:
    explicit CWebFlashFrameDlg(QWidget* parent);
};
