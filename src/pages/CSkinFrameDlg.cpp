#include "pages/CSkinFrameDlg.h"

CSkinFrameDlg::CSkinFrameDlg(QWidget* parent) : CWizardPage(132, parent)
{
    CreateTitle(QStringLiteral("装饰边框（可选）"));
}
