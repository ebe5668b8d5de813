#include "pages/CColorSkinDlg.h"

CColorSkinDlg::CColorSkinDlg(QWidget* parent) : CWizardPage(130, parent)
{
    CreateTitle(QStringLiteral("配置颜色"));
}
