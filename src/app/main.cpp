#include "app/CWizardApp.h"
#include "ui/QtTranslation.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // Answered before the application object exists, so that it needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("skinmaker %s\n", SKIN_VERSION);
            return 0;
        }
    }
    // The flash controls play in a web view, loaded on first need; the web engine shares its
    // OpenGL context, which has to be asked for before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Qt's dialogs show dates and numbers in the system's locale; without one they are Chinese.
    const LocaleFallback locale = FallBackToChineseLocale();
    CWizardApp app(argc, argv);
    RestoreLocaleEnvironment(locale);
    return app.Run();
}
