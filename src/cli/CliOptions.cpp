#include "cli/CliOptions.h"

#include "platform/PackageLimits.h"
#include "skin/SkinDescription.h"

#include <QRegularExpression>

#include <utility>

QString CliUsageText()
{
    return QStringLiteral(
               "Usage:\n"
               "  skinmaker-cli build -o OUT.vsf --picture FILE --name NAME [options]\n"
               "  skinmaker-cli info PKG.vsf\n"
               "  skinmaker-cli extract PKG.vsf DIR\n"
               "  skinmaker-cli suggest --picture FILE [--crop L,T,R,B]\n"
               "  skinmaker-cli thumbnail PKG.vsf OUT.png --size N\n"
               "  skinmaker-cli --help | --version\n"
               "\n"
               "build: makes a skin package from a JPEG, BMP or PNG picture.\n"
               "  -o OUT.vsf                    the package to write\n"
               "  --picture FILE                the source picture\n"
               "  --name NAME                   the skin name shown by the player (GBK, at most 255 bytes)\n"
               "  --crop L,T,R,B                the header's part of the picture, in picture pixels;\n"
               "                                default: the largest centred 700:61 rectangle\n"
               "  --stretch L,T,R,B             the region the player stretches or tiles; it must lie\n"
               "                                inside the crop and leave some of it on both sides\n"
               "  --tile                        tile the stretch region instead of stretching it\n"
               "  --color #RRGGBB               main colour the player's chrome takes (default: none);\n"
               "                                auto: the first colour suggest gives for the crop\n"
               "  --white-tabs                  white tab texts (default black)\n"
               "  --thumbnail FILE              picture for the 60x37 thumbnail (default: cut from the "
               "header)\n"
               "  --decoration CORNER=FILE@X,Y  a PNG decoration at a corner, X,Y its offset (repeatable)\n"
               "  --control CORNER=FILE@X,Y,W,H a flash control (an SWF movie) at a corner, at X,Y with size "
               "W,H;\n"
               "                                the first one of a corner is its corner control, later\n"
               "                                ones are extra controls (at most 20) (repeatable)\n"
               "  --force                       replace an existing OUT (otherwise it is refused)\n"
               "  CORNER is lefttop, righttop, leftbottom or rightbottom.\n"
               "\n"
               "info: reads a package back and prints one JSON object on stdout with \"name\", "
               "\"showname\",\n"
               "  \"color\" (\"#RRGGBB\" or null), \"hue\", \"sat\", \"light\", \"white\", \"tile\", "
               "\"stretch\"\n"
               "  ([l, t, r, b] or null), \"header\" ({\"width\", \"height\"} of the rebuilt header or "
               "null),\n"
               "  \"decorations\", \"controls\" (corner controls first, then extra controls; each with its "
               "movie's\n"
               "  \"stage\" size [w, h], or null when the movie cannot be read) and \"members\".\n"
               "\n"
               "extract: unpacks every member of the package into DIR (created when missing). Packages with\n"
               "  more than %1 members, a member above %2 MiB, more than %3 MiB in all or members that\n"
               "  share bytes are refused; no member is written through a symbolic link.\n"
               "\n"
               "thumbnail: writes the package's own thumbnail (small.bmp), scaled to fit N x N pixels\n"
               "  (1..1024), as a PNG; file managers call it through the installed thumbnailer.\n"
               "\n"
               "suggest: main colours taken from the picture's crop (default crop as for build), best "
               "first,\n"
               "  at most four, printed as a JSON array of {\"color\": \"#RRGGBB\", \"share\", \"hue\"}: "
               "share is\n"
               "  the fraction (0..1) of the crop in the colour's hue family (within 15 degrees of hue; for\n"
               "  a grey picture's one grey, all its greys), hue the colour's hue in degrees (0..359).\n"
               "\n"
               "Exit codes: 0 success, 1 error (missing or undecodable file, crop outside the picture or "
               "empty,\n"
               "no opaque pixel in the crop for --color auto, bad corner, control not a readable SWF movie,\n"
               "name refused, package unreadable or over the limits), 2 usage mistake.\n")
        .arg(kMaxPackageMembers)
        .arg(kMaxMemberBytes >> 20)
        .arg(kMaxPackageBytes >> 20);
}

int CornerFromName(const QString& name)
{
    for (int corner = 0; corner < kCornerCount; ++corner) {
        if (name == QLatin1String(kCornerKeyNames[corner]))
            return corner;
    }
    return -1;
}

namespace {

// count comma-separated integers, or nullopt.
std::optional<QList<int>> ParseInts(const QString& text, int count)
{
    const QStringList parts = text.split(',');
    if (parts.size() != count)
        return std::nullopt;
    QList<int> values;
    for (const QString& part : parts) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        values.append(value);
    }
    return values;
}

std::optional<SkinRect> ParseRect(const QString& text)
{
    const auto values = ParseInts(text, 4);
    if (!values)
        return std::nullopt;
    return SkinRect{(*values)[0], (*values)[1], (*values)[2], (*values)[3]};
}

std::optional<ColorRef> ParseColor(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^#([0-9A-Fa-f]{6})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const uint rgb = match.captured(1).toUInt(nullptr, 16);
    return MakeColorRef(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8), static_cast<int>(rgb));
}

// CORNER=FILE@NUMBERS, with the file between the first "=" and the last "@".
struct Placement {
    QString corner;
    QString file;
    QList<int> numbers;
};

std::optional<Placement> ParsePlacement(const QString& text, int count)
{
    const qsizetype equals = text.indexOf('=');
    const qsizetype at = text.lastIndexOf('@');
    if (equals <= 0 || at <= equals + 1)
        return std::nullopt;
    const auto numbers = ParseInts(text.mid(at + 1), count);
    if (!numbers)
        return std::nullopt;
    return Placement{text.left(equals), text.mid(equals + 1, at - equals - 1), *numbers};
}

ParseOutcome Usage(const QString& message)
{
    ParseOutcome outcome;
    outcome.error = message;
    return outcome;
}

ParseOutcome HelpRequest()
{
    ParseOutcome outcome;
    outcome.ok = true;
    return outcome;
}

// "--option=value" split into option and value; other arguments come back whole, without a value.
std::pair<QString, std::optional<QString>> SplitOption(const QString& argument)
{
    if (argument.startsWith("--") && argument.contains('='))
        return {argument.left(argument.indexOf('=')), argument.mid(argument.indexOf('=') + 1)};
    return {argument, std::nullopt};
}

// Fills value from the next argument when the option did not carry one; an error message when
// there is none, or when a non-repeatable option is seen twice.
QString TakeValue(const QStringList& arguments, qsizetype& i, const QString& option,
                  std::optional<QString>& value, QStringList& seen, bool repeatable)
{
    if (!value) {
        if (i + 1 >= arguments.size())
            return QStringLiteral("%1 needs a value").arg(option);
        value = arguments[++i];
    }
    if (!repeatable && seen.contains(option))
        return QStringLiteral("%1 is given twice").arg(option);
    seen.append(option);
    return {};
}

QString RectUsage(const QString& option, const QString& value)
{
    return QStringLiteral("%1 needs four integers L,T,R,B, not \"%2\"").arg(option, value);
}

ParseOutcome ParseBuild(const QStringList& arguments)
{
    ParseOutcome outcome;
    outcome.request.command = CliRequest::Command::Build;
    BuildOptions& options = outcome.request.build;
    static const QStringList kValued = {"-o",      "--picture",   "--name",       "--crop",   "--stretch",
                                        "--color", "--thumbnail", "--decoration", "--control"};
    static const QStringList kFlags = {"--tile", "--white-tabs", "--force"};
    QStringList seen;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        auto [option, value] = SplitOption(arguments[i]);
        if (option == "--help" || option == "-h")
            return HelpRequest();
        if (kFlags.contains(option)) {
            if (value)
                return Usage(QStringLiteral("%1 takes no value").arg(option));
            if (option == "--tile")
                options.tile = true;
            else if (option == "--white-tabs")
                options.whiteTabs = true;
            else
                options.force = true;
            continue;
        }
        if (!kValued.contains(option))
            return Usage(QStringLiteral("unknown option %1").arg(arguments[i]));
        const bool repeatable = option == "--decoration" || option == "--control";
        if (const QString error = TakeValue(arguments, i, option, value, seen, repeatable); !error.isEmpty())
            return Usage(error);

        if (option == "-o") {
            options.output = *value;
        } else if (option == "--picture") {
            options.picture = *value;
        } else if (option == "--name") {
            options.name = *value;
            options.hasName = true;
        } else if (option == "--thumbnail") {
            options.thumbnail = *value;
        } else if (option == "--crop" || option == "--stretch") {
            const auto rect = ParseRect(*value);
            if (!rect)
                return Usage(RectUsage(option, *value));
            (option == "--crop" ? options.crop : options.stretch) = *rect;
        } else if (option == "--color") {
            const auto color = ParseColor(*value);
            if (*value == "auto")
                options.autoColor = true;
            else if (!color)
                return Usage(QStringLiteral("--color needs #RRGGBB or auto, not \"%1\"").arg(*value));
            else
                options.color = *color;
        } else if (option == "--decoration") {
            const auto placement = ParsePlacement(*value, 2);
            if (!placement)
                return Usage(QStringLiteral("--decoration needs CORNER=FILE@X,Y, not \"%1\"").arg(*value));
            options.decorations.append(
                {placement->corner, placement->file, {placement->numbers[0], placement->numbers[1]}});
        } else {
            const auto placement = ParsePlacement(*value, 4);
            if (!placement)
                return Usage(QStringLiteral("--control needs CORNER=FILE@X,Y,W,H, not \"%1\"").arg(*value));
            const QList<int>& n = placement->numbers;
            options.controls.append({placement->corner, placement->file, {n[0], n[1]}, {n[2], n[3]}});
        }
    }
    if (options.output.isEmpty())
        return Usage(QStringLiteral("build needs -o OUT.vsf"));
    if (options.picture.isEmpty())
        return Usage(QStringLiteral("build needs --picture FILE"));
    if (!options.hasName)
        return Usage(QStringLiteral("build needs --name NAME"));
    outcome.ok = true;
    return outcome;
}

ParseOutcome ParseSuggest(const QStringList& arguments)
{
    ParseOutcome outcome;
    outcome.request.command = CliRequest::Command::Suggest;
    SuggestOptions& options = outcome.request.suggest;
    QStringList seen;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        auto [option, value] = SplitOption(arguments[i]);
        if (option == "--help" || option == "-h")
            return HelpRequest();
        if (option != "--picture" && option != "--crop")
            return Usage(QStringLiteral("unknown option %1").arg(arguments[i]));
        if (const QString error = TakeValue(arguments, i, option, value, seen, false); !error.isEmpty())
            return Usage(error);
        if (option == "--picture") {
            options.picture = *value;
        } else {
            options.crop = ParseRect(*value);
            if (!options.crop)
                return Usage(RectUsage(option, *value));
        }
    }
    if (options.picture.isEmpty())
        return Usage(QStringLiteral("suggest needs --picture FILE"));
    outcome.ok = true;
    return outcome;
}

// thumbnail PKG.vsf OUT.png --size N (the option may stand anywhere, also as --size=N).
ParseOutcome ParseThumbnail(const QStringList& arguments)
{
    QStringList files;
    std::optional<QString> size;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith("--size=")) {
            size = argument.mid(7);
        } else if (argument == "--size") {
            if (++i == arguments.size())
                return Usage(QStringLiteral("--size needs a value"));
            size = arguments[i];
        } else if (argument.startsWith('-') && argument.size() > 1) {
            return Usage(QStringLiteral("unknown option %1").arg(argument));
        } else {
            files.append(argument);
        }
    }
    if (files.size() != 2 || !size)
        return Usage(QStringLiteral(
            "thumbnail takes a package, a PNG and a size: thumbnail PKG.vsf OUT.png --size N"));
    bool number = false;
    const int pixels = size->toInt(&number);
    if (!number || pixels < 1 || pixels > 1024)
        return Usage(QStringLiteral("--size needs a number of pixels from 1 to 1024, not \"%1\"").arg(*size));
    ParseOutcome outcome;
    outcome.ok = true;
    outcome.request.command = CliRequest::Command::Thumbnail;
    outcome.request.package = files[0];
    outcome.request.destination = files[1];
    outcome.request.thumbnailSize = pixels;
    return outcome;
}

} // namespace

ParseOutcome ParseCliArguments(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return Usage(QStringLiteral("no command given"));
    const QString& command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (command == "--help" || command == "-h" || command == "help")
        return HelpRequest();
    if (command == "--version") {
        ParseOutcome outcome;
        outcome.ok = true;
        outcome.request.command = CliRequest::Command::Version;
        return outcome;
    }
    if (command == "build")
        return ParseBuild(rest);
    if (command == "thumbnail")
        return ParseThumbnail(rest);
    if (command == "suggest")
        return ParseSuggest(rest);
    if (command == "info" || command == "extract") {
        if (rest.contains("--help") || rest.contains("-h"))
            return HelpRequest();
        const qsizetype expected = command == "info" ? 1 : 2;
        if (rest.size() != expected)
            return Usage(command == "info"
                             ? QStringLiteral("info takes one package: info PKG.vsf")
                             : QStringLiteral("extract takes a package and a folder: extract PKG.vsf DIR"));
        for (const QString& argument : rest) {
            if (argument.startsWith('-') && argument.size() > 1)
                return Usage(QStringLiteral("unknown option %1").arg(argument));
        }
        ParseOutcome outcome;
        outcome.ok = true;
        outcome.request.command =
            command == "info" ? CliRequest::Command::Info : CliRequest::Command::Extract;
        outcome.request.package = rest[0];
        if (expected == 2)
            outcome.request.destination = rest[1];
        return outcome;
    }
    return Usage(QStringLiteral("unknown command %1").arg(command));
}
