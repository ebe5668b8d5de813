#include "cli/CliOptions.h"

#include "platform/PackageLimits.h"
#include "skin/SkinDescription.h"
#include "skin/SkinViewPicture.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>

QString CliUsageText()
{
    return QCoreApplication::translate(
               "skinmaker-cli",
               "用法：\n"
               "  skinmaker-cli build -o OUT.vsf --picture FILE --name NAME [选项]\n"
               "  skinmaker-cli edit PKG.vsf -o OUT.vsf [选项]\n"
               "  skinmaker-cli info PKG.vsf\n"
               "  skinmaker-cli extract PKG.vsf DIR\n"
               "  skinmaker-cli suggest --picture FILE [--crop L,T,R,B]\n"
               "  skinmaker-cli thumbnail PKG.vsf OUT.png --size N\n"
               "  skinmaker-cli render PKG.vsf OUT.png [--width W] [--height H]\n"
               "  skinmaker-cli --help | --version\n"
               "\n"
               "build：用一张 JPEG、BMP 或 PNG 图片制作皮肤包。\n"
               "  -o OUT.vsf                    要写入的皮肤包\n"
               "  --picture FILE                源图片\n"
               "  --name NAME                   播放器显示的皮肤名称（按 GBK 保存，最多 255 字节）\n"
               "  --crop L,T,R,B                头图在图片中的区域（图片像素）；\n"
               "                                默认：居中的最大 700:61 矩形\n"
               "  --stretch L,T,R,B             播放器拉伸或平铺的区域；必须在裁剪区域之内，\n"
               "                                并在左右两边都留出裁剪区域的一部分\n"
               "  --tile | --no-tile            平铺拉伸区域 | 拉伸它（默认）\n"
               "  --color #RRGGBB|auto|none     播放器外框的主色；none（默认）保留图片原有的颜色；\n"
               "                                auto 取 suggest 对裁剪区域给出的第一种颜色\n"
               "  --white-tabs | --black-tabs   标签文字为白色 | 黑色（默认）\n"
               "  --thumbnail FILE              60x37 缩略图所用的图片（默认：从头图右端截取）\n"
               "  --decoration CORNER=FILE[@X,Y]\n"
               "                                角上的 PNG 装饰，X,Y 为它的偏移（可重复）；\n"
               "                                不给 X,Y 时像向导一样居中放在该角上\n"
               "  --control CORNER=FILE[@X,Y[,W,H]]\n"
               "                                角上的 Flash 控件（SWF 影片），位置 X,Y，大小 "
               "W,H（可重复）；\n"
               "                                不给 W,H 时取影片的舞台大小，不给 X,Y 时像向导一样\n"
               "                                居中放在该角上；W,H 与舞台大小不同时给出警告。\n"
               "                                每个角的第一个控件是角控件，之后的是附加控件（最多 20 个）\n"
               "  --force                       覆盖已存在的 OUT（否则拒绝）\n"
               "  CORNER 为 lefttop、righttop、leftbottom 或 rightbottom。\n"
               "  位置是从角点到装饰或控件左上角的偏移（角点减左上角），与皮肤包中保存的一样。\n"
               "  与向导一样，离窗口太远的位置被移回到完全在窗口之外的最近位置。\n"
               "\n"
               "edit：像向导一样打开皮肤包 PKG（整幅头图、读到的颜色数值原样保留），按选项修改后保存为 "
               "OUT。\n"
               "  不给选项时，OUT 中的每个文件都与 PKG 中的逐字节相同（conf.ini 的 name 取 OUT 的文件名）。\n"
               "  可用 build 的 --name、--color、--tile | --no-tile、--white-tabs | --black-tabs、\n"
               "  --thumbnail、--decoration（替换该角原有的装饰）、--control（添加控件）、--force，以及：\n"
               "  --move-decoration CORNER@X,Y  把该角的装饰移到偏移 X,Y\n"
               "  --remove-decoration CORNER    去掉该角的装饰\n"
               "  --move-control MEMBER@X,Y[,W,H]\n"
               "                                移动控件（给出 W,H 时也改变大小）；MEMBER 是 info 列出的\n"
               "                                控件文件名，如 topleft.swf 或 swfcontrol2.swf\n"
               "  --remove-control MEMBER       去掉该控件；去掉角控件时，同一角的第一个附加控件成为角控件\n"
               "  移动和去掉按打开的皮肤包中的文件名指定控件，在添加之前进行。OUT 可以就是 PKG（需要 "
               "--force）。\n"
               "  皮肤包声明的附加控件多于一个皮肤能有的（或缺少控件文件）时拒绝保存；加 --force 时\n"
               "  给出警告，不带这些控件保存。\n"
               "\n"
               "info：读取皮肤包，在标准输出打印一个 JSON 对象，含 \"name\"、\"showname\"、\n"
               "  \"color\"（\"#RRGGBB\" 或 "
               "null）、\"hue\"、\"sat\"、\"light\"、\"white\"、\"tile\"、\"stretch\"\n"
               "  （[l, t, r, b] 或 null）、\"header\"（拼接后头图的 {\"width\", \"height\"} 或 null）、\n"
               "  \"decorations\"、\"controls\"（先角控件，后附加控件；各带 \"member\" 和影片的舞台大小\n"
               "  \"stage\" [w, h]，影片无法读取时为 null）和 \"members\"。\n"
               "\n"
               "extract：把皮肤包的所有文件解压到 DIR（不存在时创建）。超过 %1 个文件、单个文件超过 %2 MB、\n"
               "  总共超过 %3 MB 或有文件共用同一段数据的皮肤包会被拒绝；不会通过符号链接写入任何文件。\n"
               "\n"
               "thumbnail：把皮肤包自带的缩略图（small.bmp）缩放到 N x N 像素以内（1..1024），保存为 PNG；\n"
               "  文件管理器通过安装的缩略图程序调用它。\n"
               "\n"
               "render：把穿上该皮肤的播放器画成 PNG：头图按播放器的方式在窗口宽度上拉伸或平铺，\n"
               "  装饰画在它们的位置（画布随之扩大）。窗口默认 704x480；宽度不能小于头图左右两段之和。\n"
               "  命令行工具不播放 Flash：控件画成标有文件名的方框。\n"
               "\n"
               "suggest：从图片的裁剪区域（默认与 build 相同）取出主色，最好的在前，最多四种，打印为\n"
               "  {\"color\": \"#RRGGBB\", \"share\", \"hue\"} 的 JSON 数组：share "
               "是裁剪区域中属于该颜色色系\n"
               "  （色相相差 15 度以内；灰色图片的唯一灰色包括所有灰色）的比例（0..1），hue "
               "是颜色的色相（0..359 度）。\n"
               "\n"
               "--lang zh|en：消息的语言，可放在命令行的任何位置，对所有命令有效。不给时取 LC_ALL、\n"
               "  LC_MESSAGES、LANG 中第一个设置了的：以 en 开头为英文，其他（包括 C 和未设置）为中文。\n"
               "  JSON 输出和皮肤包不随语言变化。\n"
               "\n"
               "退出码：0 成功；1 错误（文件不存在或无法解码、裁剪区域为空或超出图片、--color auto 时\n"
               "裁剪区域没有不透明的像素、角的名称错误、控件不是可读的 SWF "
               "影片、名称无法保存、皮肤包无法读取\n"
               "或超出限制等）；2 用法错误。\n")
        .arg(kMaxPackageMembers)
        .arg(kMaxMemberBytes >> 20)
        .arg(kMaxPackageBytes >> 20);
}

namespace {

// Comma-separated integers, as many as one of counts allows; nullopt otherwise.
std::optional<QList<int>> ParseInts(const QString& text, std::initializer_list<int> counts)
{
    const QStringList parts = text.split(',');
    if (std::find(counts.begin(), counts.end(), int(parts.size())) == counts.end())
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
    const auto values = ParseInts(text, {4});
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

// TARGET[@NUMBERS]: the numbers after the last "@" when that part is made of digits, signs,
// commas and blanks (a wrong count is then a usage mistake); otherwise all of text is the target,
// so that a file name may hold an "@".
struct Placed {
    bool ok = false;
    QString target;
    QList<int> numbers; // empty when no place was given
};

Placed ParsePlaced(const QString& text, std::initializer_list<int> counts)
{
    static const QRegularExpression numeric(QStringLiteral("^[-+0-9, ]+$"));
    const qsizetype at = text.lastIndexOf('@');
    if (at < 0 || !numeric.match(text.mid(at + 1)).hasMatch())
        return {!text.isEmpty(), text, {}};
    const auto numbers = ParseInts(text.mid(at + 1), counts);
    if (!numbers || at == 0)
        return {};
    return {true, text.left(at), *numbers};
}

// CORNER=FILE[@NUMBERS], with the corner before the first "=".
struct Placement {
    QString corner;
    Placed placed;
};

std::optional<Placement> ParsePlacement(const QString& text, std::initializer_list<int> counts)
{
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0)
        return std::nullopt;
    const Placed placed = ParsePlaced(text.mid(equals + 1), counts);
    if (!placed.ok)
        return std::nullopt;
    return Placement{text.left(equals), placed};
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

QString UnknownOption(const QString& argument)
{
    return QCoreApplication::translate("skinmaker-cli", "未知的选项 %1").arg(argument);
}

QString RectUsage(const QString& option, const QString& value)
{
    return QCoreApplication::translate("skinmaker-cli", "%1 需要四个整数 L,T,R,B，而不是“%2”")
        .arg(option, value);
}

// Options of build and edit; which command takes which is checked by the caller.
const QStringList kValued = {"-o",
                             "--picture",
                             "--name",
                             "--crop",
                             "--stretch",
                             "--color",
                             "--thumbnail",
                             "--decoration",
                             "--control",
                             "--move-decoration",
                             "--remove-decoration",
                             "--move-control",
                             "--remove-control"};
const QStringList kRepeatable = {"--decoration",        "--control",      "--move-decoration",
                                 "--remove-decoration", "--move-control", "--remove-control"};
const QStringList kFlags = {"--tile", "--no-tile", "--white-tabs", "--black-tabs", "--force"};
const QStringList kBuildOnly = {"--picture", "--crop", "--stretch"};
const QStringList kEditOnly = {"--move-decoration", "--remove-decoration", "--move-control",
                               "--remove-control"};

// One valued option into options; a usage message when the value is malformed.
QString TakeOption(const QString& option, const QString& value, BuildOptions& options)
{
    if (option == "-o") {
        options.output = value;
    } else if (option == "--picture") {
        options.picture = value;
    } else if (option == "--name") {
        options.name = value;
    } else if (option == "--thumbnail") {
        options.thumbnail = value;
    } else if (option == "--crop" || option == "--stretch") {
        const auto rect = ParseRect(value);
        if (!rect)
            return RectUsage(option, value);
        (option == "--crop" ? options.crop : options.stretch) = *rect;
    } else if (option == "--color") {
        if (value == "auto") {
            options.autoColor = true;
        } else if (value == "none") {
            options.color = 0;
        } else if (const auto color = ParseColor(value)) {
            options.color = *color;
        } else {
            return QCoreApplication::translate("skinmaker-cli",
                                               "--color 需要 #RRGGBB、auto 或 none，而不是“%1”")
                .arg(value);
        }
    } else if (option == "--decoration") {
        const auto placement = ParsePlacement(value, {2});
        if (!placement)
            return QCoreApplication::translate("skinmaker-cli",
                                               "--decoration 需要 CORNER=FILE[@X,Y]，而不是“%1”")
                .arg(value);
        const QList<int>& n = placement->placed.numbers;
        options.decorations.append({placement->corner, placement->placed.target,
                                    n.isEmpty() ? std::nullopt : std::optional<QPoint>(QPoint(n[0], n[1]))});
    } else if (option == "--control") {
        const auto placement = ParsePlacement(value, {2, 4});
        if (!placement)
            return QCoreApplication::translate("skinmaker-cli",
                                               "--control 需要 CORNER=FILE[@X,Y[,W,H]]，而不是“%1”")
                .arg(value);
        const QList<int>& n = placement->placed.numbers;
        CliControl control{placement->corner, placement->placed.target, {}, {}};
        if (n.size() >= 2)
            control.position = QPoint(n[0], n[1]);
        if (n.size() == 4)
            control.size = QSize(n[2], n[3]);
        options.controls.append(control);
    } else if (option == "--move-decoration" || option == "--move-control") {
        const bool control = option == "--move-control";
        const Placed placed = control ? ParsePlaced(value, {2, 4}) : ParsePlaced(value, {2});
        if (!placed.ok || placed.numbers.isEmpty())
            return QCoreApplication::translate("skinmaker-cli", "%1 需要 %2，而不是“%3”")
                .arg(option, control ? QStringLiteral("MEMBER@X,Y[,W,H]") : QStringLiteral("CORNER@X,Y"),
                     value);
        const QList<int>& n = placed.numbers;
        CliMove move{placed.target, {n[0], n[1]}, {}};
        if (n.size() == 4)
            move.size = QSize(n[2], n[3]);
        (control ? options.movedControls : options.movedDecorations).append(move);
    } else if (option == "--remove-decoration") {
        options.removedDecorations.append(value);
    } else {
        options.removedControls.append(value);
    }
    return {};
}

// The program's own names of options: "-o", "-h", "--name".
QString Dashed(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// Parses a command's arguments (the command itself left out) with its options, named with their
// dashes; -h and --help are always known. Returns the usage message when they do not parse. Qt
// words its own messages: the first argument at fault is told in the program's words instead.
QString ParseCommand(QCommandLineParser& parser, const QStringList& arguments, const QStringList& valued,
                     const QStringList& flags = {})
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    for (const QString& option : valued)
        parser.addOption(QCommandLineOption(option.mid(option.startsWith("--") ? 2 : 1), {}, "value"));
    for (const QString& option : flags)
        parser.addOption(QCommandLineOption(option.mid(2)));
    if (parser.parse(QStringList{QStringLiteral("skinmaker-cli")} + arguments))
        return {};
    for (qsizetype i = 0; i < arguments.size() && arguments[i] != "--"; ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith('-') || argument.size() < 2)
            continue;
        const qsizetype equals = argument.indexOf('=');
        const QString option = Dashed(argument.left(equals).mid(argument.startsWith("--") ? 2 : 1));
        if (valued.contains(option)) {
            if (equals < 0 && ++i == arguments.size())
                return QCoreApplication::translate("skinmaker-cli", "%1 需要一个值").arg(option);
        } else if (flags.contains(option) || option == "-h" || option == "--help") {
            if (equals >= 0)
                return QCoreApplication::translate("skinmaker-cli", "%1 不带值").arg(option);
        } else {
            return UnknownOption(argument);
        }
    }
    return parser.errorText();
}

// The value of each option in the order given; a usage message when an option that is not
// repeatable is given twice.
struct GivenOption {
    QString option; // with its dashes
    QString value;  // empty for a flag
};

std::optional<QList<GivenOption>> GivenOptions(const QCommandLineParser& parser,
                                               const QStringList& repeatable, QString& error)
{
    QList<GivenOption> given;
    QHash<QString, qsizetype> taken;
    for (const QString& name : parser.optionNames()) {
        const QString option = Dashed(name);
        const QStringList values = parser.values(name);
        const qsizetype n = taken[name]++;
        if (n == 1 && !values.isEmpty() && !repeatable.contains(option)) {
            error = QCoreApplication::translate("skinmaker-cli", "%1 给出了两次").arg(option);
            return std::nullopt;
        }
        given.append({option, n < values.size() ? values[n] : QString()});
    }
    return given;
}

// build and edit: edit takes the package as its one argument that is not an option.
ParseOutcome ParsePackageOptions(const QStringList& arguments, bool edit)
{
    ParseOutcome outcome;
    outcome.request.command = edit ? CliRequest::Command::Edit : CliRequest::Command::Build;
    BuildOptions& options = outcome.request.build;
    QCommandLineParser parser;
    if (const QString error = ParseCommand(parser, arguments, kValued, kFlags); !error.isEmpty())
        return Usage(error);
    if (parser.isSet("help"))
        return HelpRequest();
    QString error;
    const auto given = GivenOptions(parser, kRepeatable, error);
    if (!given)
        return Usage(error);
    for (const auto& [option, value] : *given) {
        if ((edit ? kBuildOnly : kEditOnly).contains(option))
            return Usage(QCoreApplication::translate("skinmaker-cli", "%1 不能用于 %2")
                             .arg(option, edit ? QStringLiteral("edit") : QStringLiteral("build")));
        if (option == "--tile" || option == "--no-tile")
            options.tile = option == "--tile";
        else if (option == "--white-tabs" || option == "--black-tabs")
            options.whiteTabs = option == "--white-tabs";
        else if (option == "--force")
            options.force = true;
        else if (const QString mistake = TakeOption(option, value, options); !mistake.isEmpty())
            return Usage(mistake);
    }
    const QStringList positional = parser.positionalArguments();
    if (edit) {
        if (positional.size() != 1)
            return Usage(
                QCoreApplication::translate("skinmaker-cli", "edit 需要一个皮肤包：edit PKG.vsf -o OUT.vsf"));
        options.package = positional.first();
    } else if (!positional.isEmpty()) {
        return Usage(QCoreApplication::translate("skinmaker-cli", "多余的参数 %1").arg(positional.first()));
    }
    if (options.output.isEmpty())
        return Usage(QCoreApplication::translate("skinmaker-cli", "%1 需要 -o OUT.vsf")
                         .arg(edit ? QStringLiteral("edit") : QStringLiteral("build")));
    if (!edit && options.picture.isEmpty())
        return Usage(QCoreApplication::translate("skinmaker-cli", "build 需要 --picture FILE"));
    if (!edit && !options.name)
        return Usage(QCoreApplication::translate("skinmaker-cli", "build 需要 --name NAME"));
    outcome.ok = true;
    return outcome;
}

ParseOutcome ParseSuggest(const QStringList& arguments)
{
    ParseOutcome outcome;
    outcome.request.command = CliRequest::Command::Suggest;
    SuggestOptions& options = outcome.request.suggest;
    QCommandLineParser parser;
    if (const QString error = ParseCommand(parser, arguments, {"--picture", "--crop"}); !error.isEmpty())
        return Usage(error);
    if (parser.isSet("help"))
        return HelpRequest();
    QString error;
    const auto given = GivenOptions(parser, {}, error);
    if (!given)
        return Usage(error);
    if (!parser.positionalArguments().isEmpty())
        return Usage(UnknownOption(parser.positionalArguments().first()));
    options.picture = parser.value("picture");
    if (parser.isSet("crop")) {
        options.crop = ParseRect(parser.value("crop"));
        if (!options.crop)
            return Usage(RectUsage("--crop", parser.value("crop")));
    }
    if (options.picture.isEmpty())
        return Usage(QCoreApplication::translate("skinmaker-cli", "suggest 需要 --picture FILE"));
    outcome.ok = true;
    return outcome;
}

// A command that reads the package files[0] and writes files[1].
ParseOutcome PackageToFile(CliRequest::Command command, const QStringList& files)
{
    ParseOutcome outcome;
    outcome.ok = true;
    outcome.request.command = command;
    outcome.request.package = files[0];
    outcome.request.destination = files[1];
    return outcome;
}

// thumbnail PKG.vsf OUT.png --size N (the option may stand anywhere, also as --size=N).
ParseOutcome ParseThumbnail(const QStringList& arguments)
{
    QCommandLineParser parser;
    if (const QString error = ParseCommand(parser, arguments, {"--size"}); !error.isEmpty())
        return Usage(error);
    if (parser.isSet("help"))
        return HelpRequest();
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2 || !parser.isSet("size"))
        return Usage(QCoreApplication::translate(
            "skinmaker-cli",
            "thumbnail 需要一个皮肤包、一个 PNG 文件和大小：thumbnail PKG.vsf OUT.png --size N"));
    const QString size = parser.value("size");
    bool number = false;
    const int pixels = size.toInt(&number);
    if (!number || pixels < 1 || pixels > 1024)
        return Usage(
            QCoreApplication::translate("skinmaker-cli", "--size 需要 1 到 1024 之间的像素数，而不是“%1”")
                .arg(size));
    ParseOutcome outcome = PackageToFile(CliRequest::Command::Thumbnail, files);
    outcome.request.thumbnailSize = pixels;
    return outcome;
}

// render PKG.vsf OUT.png [--width W] [--height H] (also --width=W).
ParseOutcome ParseRender(const QStringList& arguments)
{
    QCommandLineParser parser;
    if (const QString error = ParseCommand(parser, arguments, {"--width", "--height"}); !error.isEmpty())
        return Usage(error);
    if (parser.isSet("help"))
        return HelpRequest();
    QSize size(704, 480);
    for (const QString& name : {QStringLiteral("width"), QStringLiteral("height")}) {
        if (!parser.isSet(name))
            continue;
        const QString value = parser.value(name);
        bool number = false;
        const int pixels = value.toInt(&number);
        // The canvas holds the window and up to kMaxCanvasMargin around it: bounded.
        if (!number || pixels < 1 || pixels > kMaxRenderWindowSide)
            return Usage(QCoreApplication::translate("skinmaker-cli", "%1 需要 1 到 %3 之间的像素数，而不是“%2”")
                             .arg("--" + name, value)
                             .arg(kMaxRenderWindowSide));
        (name == "width" ? size.rwidth() : size.rheight()) = pixels;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        return Usage(QCoreApplication::translate(
            "skinmaker-cli",
            "render 需要一个皮肤包和一个 PNG 文件：render PKG.vsf OUT.png [--width W] [--height H]"));
    ParseOutcome outcome = PackageToFile(CliRequest::Command::Render, files);
    outcome.request.renderSize = size;
    return outcome;
}

// info PKG.vsf and extract PKG.vsf DIR.
ParseOutcome ParsePackageReading(const QString& command, const QStringList& arguments)
{
    QCommandLineParser parser;
    if (const QString error = ParseCommand(parser, arguments, {}); !error.isEmpty())
        return Usage(error);
    if (parser.isSet("help"))
        return HelpRequest();
    const QStringList files = parser.positionalArguments();
    const bool info = command == "info";
    if (files.size() != (info ? 1 : 2))
        return Usage(info ? QCoreApplication::translate("skinmaker-cli", "info 需要一个皮肤包：info PKG.vsf")
                          : QCoreApplication::translate(
                                "skinmaker-cli", "extract 需要一个皮肤包和一个文件夹：extract PKG.vsf DIR"));
    ParseOutcome outcome;
    outcome.ok = true;
    outcome.request.command = info ? CliRequest::Command::Info : CliRequest::Command::Extract;
    outcome.request.package = files[0];
    if (!info)
        outcome.request.destination = files[1];
    return outcome;
}

} // namespace

// The command is the first argument that is not an option; everything after it is the command's.
ParseOutcome ParseCliArguments(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return Usage(QCoreApplication::translate("skinmaker-cli", "没有给出命令"));
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    parser.addOption(QCommandLineOption(QStringLiteral("version")));
    if (!parser.parse(QStringList{QStringLiteral("skinmaker-cli")} + arguments))
        return Usage(QCoreApplication::translate("skinmaker-cli", "未知的命令 %1").arg(arguments.first()));
    const QStringList positional = parser.positionalArguments();
    const QString command = positional.value(0);
    if (parser.isSet("help") || command == "help")
        return HelpRequest();
    if (parser.isSet("version")) {
        ParseOutcome outcome;
        outcome.ok = true;
        outcome.request.command = CliRequest::Command::Version;
        return outcome;
    }
    if (positional.isEmpty())
        return Usage(QCoreApplication::translate("skinmaker-cli", "没有给出命令"));
    const QStringList rest = positional.mid(1);
    if (command == "build" || command == "edit")
        return ParsePackageOptions(rest, command == "edit");
    if (command == "thumbnail")
        return ParseThumbnail(rest);
    if (command == "render")
        return ParseRender(rest);
    if (command == "suggest")
        return ParseSuggest(rest);
    if (command == "info" || command == "extract")
        return ParsePackageReading(command, rest);
    return Usage(QCoreApplication::translate("skinmaker-cli", "未知的命令 %1").arg(command));
}
