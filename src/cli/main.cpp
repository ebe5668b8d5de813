// skinmaker-cli: builds, inspects and unpacks skin packages from scripts.
#include "cli/CliCommands.h"
#include "cli/CliOptions.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const ParseOutcome parsed = ParseCliArguments(app.arguments().mid(1));
    if (!parsed.ok) {
        std::fprintf(stderr, "skinmaker-cli: %s\nRun \"skinmaker-cli --help\" for the usage.\n",
                     parsed.error.toLocal8Bit().constData());
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
