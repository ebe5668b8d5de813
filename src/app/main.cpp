#include "app/CWizardApp.h"
#include "app/TerminationSignals.h"
#include "flash/web/WebViewDrawing.h"
#include "skin/WorkingSession.h"
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
    // --lang zh|en chooses the language over the system's locale; nothing after this sees it.
    const LanguageOption language = TakeLanguageOption(argc, argv);
    if (language.missingName || !language.unknownName.isEmpty()) {
        // Told in the locale's language, by an application object that needs no display.
        QCoreApplication core(argc, argv);
        InstallUiLanguage(core, LanguageFromEnvironment(), {QStringLiteral("skincore")});
        std::fprintf(stderr, "skinmaker: %s\n", LanguageOptionError(language).toLocal8Bit().constData());
        return 2;
    }
    // The flash controls play in web views, loaded on first need.
    OpenGLKeptOut openGL;
    // Qt's dialogs show dates and numbers in the chosen language's locale, else the system's;
    // without one they are Chinese.
    const LocaleFallback locale = FallBackToLocale(language.language);
    CWizardApp app(argc, argv, language.language.value_or(LanguageFromEnvironment()));
    RestoreLocaleEnvironment(locale);
    openGL.RestoreEnvironment();
    // Packages unpacked and folders built in this run are removed when it ends, also on SIGTERM.
    WorkingSession session;
    TerminationSignals termination;
    return app.Run();
}
