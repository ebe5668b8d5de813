#pragma once
// Step 4: the frame decoration page.
#include "pages/CWizardPage.h"

class CSkinFrameDlg : public CWizardPage {
    Q_OBJECT
public:
    explicit CSkinFrameDlg(QWidget* parent);
};
