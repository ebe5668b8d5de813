#pragma once
// Step 6: the save page.
#include "pages/CWizardPage.h"

class CSaveSkin : public CWizardPage {
    Q_OBJECT
public:
    explicit CSaveSkin(QWidget* parent);
};
