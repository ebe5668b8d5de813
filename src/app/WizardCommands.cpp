#include "app/WizardCommands.h"

// Temporary bodies: the package commands replace this file.
void SaveSkinCommand(CWizardDlg&) {}
void TryNowCommand(CWizardDlg&) {}
int OpenPackageCommand(CWizardDlg&, const QString&)
{
    return 0;
}
