#include "pages/CWebFlashFrameDlg.h"

CWebFlashFrameDlg::CWebFlashFrameDlg(QWidget* parent) : CWizardPage(178, parent)
{
    CreateTitle(QStringLiteral("选择控件（可选）"));
}
