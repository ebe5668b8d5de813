#include "pages/CSaveSkin.h"

CSaveSkin::CSaveSkin(QWidget* parent) : CWizardPage(133, parent)
{
    CreateTitle(QStringLiteral("保存皮肤"));
}
