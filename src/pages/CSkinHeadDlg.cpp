#include "pages/CSkinHeadDlg.h"

CSkinHeadDlg::CSkinHeadDlg(QWidget* parent) : CWizardPage(129, parent)
{
    CreateTitle(QStringLiteral("选择图片"));
}
