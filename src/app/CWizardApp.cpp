#include "app/CWizardApp.h"

#include "app/CWizardDlg.h"
#include "app/ProgramIcon.h"
#include "imaging/ImageLoading.h"

#include <QIcon>

CWizardApp::CWizardApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setOrganizationName(QStringLiteral("应用程序向导生成的本地应用程序"));
    setApplicationName(QStringLiteral("Vadi音乐盒皮肤制作工具"));
    setWindowIcon(ProgramIcon());
    // Picture decoding is set up once, here on the user-interface thread, before any loader runs.
    EnsureImageIo();
}

int CWizardApp::Run()
{
    // One modal wizard; the program ends when it closes.
    CWizardDlg wizard;
    wizard.exec();
    return 0;
}
