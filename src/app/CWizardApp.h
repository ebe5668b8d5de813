#pragma once
// The application object: starts the services, runs the wizard window, ends.
#include <QApplication>

class CWizardApp : public QApplication {
    Q_OBJECT
public:
    CWizardApp(int& argc, char** argv);
    int Run();
};
