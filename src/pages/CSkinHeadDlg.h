#pragma once
// Step 1: the header image page.
#include "pages/CWizardPage.h"

class CSkinHeadDlg : public CWizardPage {
    Q_OBJECT
public:
    explicit CSkinHeadDlg(QWidget* parent);
};
