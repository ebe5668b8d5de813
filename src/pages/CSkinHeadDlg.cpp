#include "pages/CSkinHeadDlg.h"

CSkinHeadDlg::CSkinHeadDlg(QWidget* parent) : CWizardPage(129, parent)
{
    CreateTitle(QStringLiteral("选择图片"));
}

void CSkinHeadDlg::NudgeCrop(int dx, int dy)
{
    Q_UNUSED(dx);
    Q_UNUSED(dy);
}
