#pragma once
// The application object: starts the services, runs the wizard window, ends.
#include "platform/UiLanguage.h"

#include <QApplication>
#include <QStringList>

class CWizardApp : public QApplication {
    Q_OBJECT
public:
    CWizardApp(int& argc, char** argv, UiLanguage language);
    int Run();

private:
    void AdoptOldUserCache();
};

// The file named on the command line (the first argument that is not an option), as an absolute
// path; empty when there is none.
QString StartupFile(const QStringList& arguments);
