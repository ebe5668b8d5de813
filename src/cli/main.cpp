// skinmaker-cli: builds, edits, inspects and unpacks skin packages from scripts. Its messages are
// written in Chinese and translated to English for an English locale or --lang en.
#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "platform/UiLanguage.h"
#include "skin/WorkingSession.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <optional>

int main(int argc, char** argv)
{
    // --lang zh|en chooses the language over the system's locale; nothing after this sees it.
    const LanguageOption language = TakeLanguageOption(argc, argv);
    // render draws text, which needs the GUI application; no window is ever shown.
    const bool drawing = argc > 1 && qstrcmp(argv[1], "render") == 0;
    if (drawing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> application = drawing ? std::make_unique<QGuiApplication>(argc, argv)
                                                            : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& app = *application;
    InstallUiLanguage(app, language.language.value_or(LanguageFromEnvironment()),
                      {QStringLiteral("skincore")});
    if (const QString error = LanguageOptionError(language); !error.isEmpty()) {
        std::fprintf(stderr, "skinmaker-cli: %s\n", error.toLocal8Bit().constData());
        return 2;
    }
    const ParseOutcome parsed = ParseCliArguments(app.arguments().mid(1));
    if (!parsed.ok) {
        const QString hint = QCoreApplication::translate("skinmaker-cli", "用法见“skinmaker-cli --help”。");
        std::fprintf(stderr, "skinmaker-cli: %s\n%s\n", parsed.error.toLocal8Bit().constData(),
                     hint.toLocal8Bit().constData());
        return 2;
    }
    const CliRequest& request = parsed.request;
    // Commands that unpack or build in the working folder leave nothing there when they end.
    std::optional<WorkingSession> session;
    if (request.command == CliRequest::Command::Build || request.command == CliRequest::Command::Edit ||
        request.command == CliRequest::Command::Render)
        session.emplace();
    switch (request.command) {
    case CliRequest::Command::Help:
        std::printf("%s", CliUsageText().toLocal8Bit().constData());
        return 0;
    case CliRequest::Command::Version:
        std::printf("skinmaker-cli %s\n", SKIN_VERSION);
        return 0;
    case CliRequest::Command::Build:
        return RunBuild(request.build);
    case CliRequest::Command::Edit:
        return RunEdit(request.build);
    case CliRequest::Command::Info:
        return RunInfo(request.package);
    case CliRequest::Command::Extract:
        return RunExtract(request.package, request.destination);
    case CliRequest::Command::Suggest:
        return RunSuggest(request.suggest);
    case CliRequest::Command::Thumbnail:
        return RunThumbnail(request.package, request.destination, request.thumbnailSize);
    case CliRequest::Command::Render:
        return RunRender(request.package, request.destination, request.renderSize);
    }
    return 2;
}
