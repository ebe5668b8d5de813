// skinmaker-cli: builds, edits, inspects and unpacks skin packages from scripts. Its messages are
// Chinese, the program's language, written as translatable source texts.
#include "cli/CliCommands.h"
#include "cli/CliOptions.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const ParseOutcome parsed = ParseCliArguments(app.arguments().mid(1));
    if (!parsed.ok) {
        const QString hint = QCoreApplication::translate("skinmaker-cli", "用法见“skinmaker-cli --help”。");
        std::fprintf(stderr, "skinmaker-cli: %s\n%s\n", parsed.error.toLocal8Bit().constData(),
                     hint.toLocal8Bit().constData());
        return 2;
    }
    const CliRequest& request = parsed.request;
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
    }
    return 2;
}
