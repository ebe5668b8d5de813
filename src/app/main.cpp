#include "app/CWizardApp.h"
#include "app/TerminationSignals.h"
#include "flash/web/WebViewDrawing.h"
#include "skin/WorkingSession.h"
#include "ui/QtTranslation.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {

const char* const kHelp =
    QT_TRANSLATE_NOOP("main", "用法：skinmaker [选项] [图片或皮肤包]\n"
                              "把自己的图片做成音乐盒皮肤包的向导。\n"
                              "\n"
                              "  图片或皮肤包        打开 JPEG、PNG、BMP 图片或 .vsf 皮肤包\n"
                              "  --view 皮肤包       只打开皮肤查看窗口，显示穿上该皮肤的播放器\n"
                              "  --lang zh|en        界面语言（默认跟随系统的语言设置）\n"
                              "  --help              显示本帮助并退出\n"
                              "  --version           显示版本并退出\n"
                              "\n"
                              "命令行制作皮肤包：skinmaker-cli --help\n");

bool WantsHelp(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return true;
    }
    return false;
}

} // namespace

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
    if (WantsHelp(argc, argv)) {
        QCoreApplication core(argc, argv);
        InstallUiLanguage(core, language.language.value_or(LanguageFromEnvironment()),
                          {QStringLiteral("skinmaker")});
        std::fputs(QCoreApplication::translate("main", kHelp).toLocal8Bit().constData(), stdout);
        return 0;
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
