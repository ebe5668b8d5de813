#include "app/CWizardApp.h"

#include <QLabel>

CWizardApp::CWizardApp(int& argc, char** argv) : QApplication(argc, argv) {}

int CWizardApp::Run()
{
    // Replaced by the wizard window.
    QLabel label(QStringLiteral("Vadi音乐盒皮肤制作工具"));
    label.show();
    return exec();
}
