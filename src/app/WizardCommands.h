#pragma once
// The three whole-package commands the wizard starts: saving the skin (button 30024),
// trying it in the player (button 30025) and opening a package (page message PM_OPEN_PACKAGE).
#include <QString>

class CWizardDlg;

void SaveSkinCommand(CWizardDlg& wizard);
void TryNowCommand(CWizardDlg& wizard);
// Returns the result the wizard hands back to the page that asked for the package.
int OpenPackageCommand(CWizardDlg& wizard, const QString& packagePath);
