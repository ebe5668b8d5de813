#include "pages/CStretchDlg.h"

CStretchDlg::CStretchDlg(QWidget* parent) : CWizardPage(131, parent)
{
    CreateTitle(QStringLiteral("设置扩展区域(可选)"));
}
