#include "cli/CliCommands.h"

#include "flash/core/SwfHeader.h"
#include "imaging/CSkinImage.h"
#include "imaging/ColorSuggest.h"
#include "imaging/ImageLoading.h"
#include "platform/FileExtensions.h"
#include "platform/PackageLimits.h"
#include "skin/HeaderCrop.h"
#include "skin/PackageNames.h"
#include "skin/PackageThumbnail.h"
#include "skin/ProfileFile.h"
#include "skin/SkinDescription.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "skin/SkinViewPicture.h"
#include "zip/Zip.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <set>

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "skinmaker-cli: %s\n", message.toLocal8Bit().constData());
    return 1;
}

void Warn(const QString& message)
{
    std::fprintf(
        stderr, "skinmaker-cli: %s\n",
        QCoreApplication::translate("skinmaker-cli", "警告：%1").arg(message).toLocal8Bit().constData());
}

bool Contains(const SkinRect& outer, const SkinRect& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

QString RectText(const SkinRect& r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom);
}

QJsonArray Pair(int a, int b)
{
    return QJsonArray{a, b};
}

QString ColorText(ColorRef c)
{
    return QStringLiteral("#%1%2%3")
        .arg(c & 0xFF, 2, 16, QChar('0'))
        .arg((c >> 8) & 0xFF, 2, 16, QChar('0'))
        .arg((c >> 16) & 0xFF, 2, 16, QChar('0'))
        .toUpper();
}

QString NotFound(const QString& path)
{
    return QCoreApplication::translate("skinmaker-cli", "找不到文件“%1”").arg(path);
}

QString Undecodable(const QString& path)
{
    return QCoreApplication::translate("skinmaker-cli", "无法解码图片“%1”").arg(path);
}

QString BadCorner(const QString& name)
{
    return QCoreApplication::translate(
               "skinmaker-cli", "角的名称“%1”错误（应为 lefttop、righttop、leftbottom 或 rightbottom）")
        .arg(name);
}

// Decodes the picture; the error message when it is missing or cannot be decoded.
QString LoadPicture(const QString& path, CSkinImage& picture)
{
    if (!QFileInfo(path).isFile())
        return NotFound(path);
    if (!picture.LoadFromFile(path))
        return Undecodable(path);
    return {};
}

// The given crop, or the default one, checked against the picture; the error message in error.
SkinRect ResolveCrop(const std::optional<SkinRect>& given, const QSize& size, QString& error)
{
    const SkinRect crop = given ? *given : DefaultCrop(size);
    if (crop.IsEmpty())
        error = given ? QCoreApplication::translate("skinmaker-cli", "裁剪区域 %1 为空").arg(RectText(*given))
                      : QCoreApplication::translate("skinmaker-cli", "图片太小，放不下 700:61 的头图");
    else if (!Contains({0, 0, size.width(), size.height()}, crop))
        error = QCoreApplication::translate("skinmaker-cli", "裁剪区域 %1 不在 %2x%3 的图片之内")
                    .arg(RectText(crop))
                    .arg(size.width())
                    .arg(size.height());
    return crop;
}

QString NoSuggestion()
{
    return QCoreApplication::translate("skinmaker-cli",
                                       "裁剪区域中没有不透明的像素，无法从中取色（--color auto）");
}

// The movie's stage size, or null when the member is missing or no readable movie.
QJsonValue StageSize(const PackageContent& package, const QString& member)
{
    QByteArray movie = PackageMember(package, member).value_or(QByteArray());
    QBuffer buffer(&movie);
    buffer.open(QIODevice::ReadOnly);
    const SwfFrameSize stage = ReadSwfFrameSize(buffer);
    return stage.ok ? QJsonValue(Pair(stage.width, stage.height)) : QJsonValue(QJsonValue::Null);
}

// Empty when OUT may be written.
QString CheckOutput(const BuildOptions& options)
{
    const QFileInfo output(options.output);
    if (output.isDir())
        return QCoreApplication::translate("skinmaker-cli", "“%1”是一个文件夹").arg(options.output);
    if (output.exists() && !options.force)
        return QCoreApplication::translate("skinmaker-cli", "“%1”已存在（要覆盖它请加 --force）")
            .arg(options.output);
    return {};
}

// The header picture for a build and its crop. Only the crop's rows are decoded where the decoder
// gives exactly the pixels of a whole decode; the skin then holds those rows, and its crop and
// stretch region are moved up by the rows left out. Such a band is no picture of its own to take
// a default crop from, so the picture comes into the document with its crop as content; a crop
// given is taken as given (any shape inside the picture), the default one is DefaultCrop's.
// Without a stretch region the header strip is the crop as it is: it is made into *ahead while
// the rows are decoded, so that its compression overlaps the decode.
QString LoadHeaderPicture(const BuildOptions& options, SkinDocument& document,
                          std::optional<StripAhead>& ahead)
{
    if (!QFileInfo(options.picture).isFile())
        return NotFound(options.picture);
    if (IsPackageFileName(options.picture))
        return QCoreApplication::translate("skinmaker-cli", "“%1”是皮肤包，不是图片；修改皮肤包请用 edit")
            .arg(options.picture);
    QString error;
    const QSize declared = PictureFileSize(options.picture);
    SkinRect crop = declared.isValid() ? ResolveCrop(options.crop, declared, error) : SkinRect{};
    if (!error.isEmpty())
        return error;
    int firstRow = 0;
    BandDecoded onRows;
    if (!(options.stretch && !options.stretch->IsNull()) && !crop.IsEmpty()) {
        ahead.emplace(crop);
        onRows = [&ahead](const QImage& rows, int first, int decoded) {
            ahead->RowsDecoded(rows, first, decoded);
        };
    }
    QImage rows = DecodePictureRows(options.picture, crop.top, crop.bottom, &firstRow, onRows);
    if (rows.isNull())
        return Undecodable(options.picture);
    if (firstRow == 0 && rows.size() != declared) {
        // decoded whole, at another size than its header said: the crop follows the picture
        crop = ResolveCrop(options.crop, rows.size(), error);
        if (!error.isEmpty())
            return error;
    }
    std::optional<SkinRect> stretch;
    if (options.stretch && !options.stretch->IsNull()) {
        const SkinRect& s = *options.stretch;
        if (s.IsEmpty() || !Contains(crop, s) || s.left == crop.left || s.right == crop.right)
            return QCoreApplication::translate(
                       "skinmaker-cli", "拉伸区域 %1 必须是裁剪区域 %2 之内的非空区域，并在左右两边都留出"
                                        "裁剪区域的一部分")
                .arg(RectText(s), RectText(crop));
        stretch = SkinRect{s.left, s.top - firstRow, s.right, s.bottom - firstRow};
    }
    auto picture = std::make_shared<CSkinImage>();
    if (!picture->LoadFromImage(std::move(rows)))
        return Undecodable(options.picture);
    SkinContent content;
    content.picturePath = options.picture;
    content.picture = picture;
    content.crop = {crop.left, crop.top - firstRow, crop.right, crop.bottom - firstRow};
    document.Load(std::move(content));
    if (stretch)
        document.SetStretchRegion(*stretch);
    return {};
}

void WarnOfSize(const QString& file, QSize given, const SwfFrameSize& stage)
{
    if (stage.ok && given != QSize(stage.width, stage.height))
        Warn(
            QCoreApplication::translate("skinmaker-cli", "控件“%1”的大小 %2x%3 与其影片的舞台大小 %4x%5 不同")
                .arg(file)
                .arg(given.width())
                .arg(given.height())
                .arg(stage.width)
                .arg(stage.height));
}

// Adds a flash control as the wizard's controls page does: the first of a corner is that corner's
// control, every further one an extra control, up to the document's limit.
QString AddControl(const CliControl& control, SkinDocument& document)
{
    const std::optional<Corner> corner = CornerFromKeyName(control.cornerName);
    if (!corner)
        return BadCorner(control.cornerName);
    if (!QFileInfo(control.file).isFile())
        return NotFound(control.file);
    const SwfFrameSize stage = ReadSwfFrameSize(control.file);
    if (!stage.ok)
        return QCoreApplication::translate("skinmaker-cli", "控件“%1”不是可读的 Flash 影片（SWF）")
            .arg(control.file);
    const QSize size = control.size.value_or(QSize(stage.width, stage.height));
    if (control.size)
        WarnOfSize(control.file, size, stage);
    if (document.AddControl(*corner, control.file, size, {}, false, control.position) < 0)
        return QCoreApplication::translate("skinmaker-cli", "一个皮肤最多有 %1 个附加控件")
            .arg(SkinDocument::kMaxExtraControls);
    return {};
}

QString AddDecoration(const CliDecoration& decoration, SkinDocument& document)
{
    const std::optional<Corner> corner = CornerFromKeyName(decoration.cornerName);
    if (!corner)
        return BadCorner(decoration.cornerName);
    if (!QFileInfo(decoration.file).isFile())
        return NotFound(decoration.file);
    QImageReader reader(decoration.file);
    const QImage image = reader.format() == "png" ? reader.read() : QImage();
    if (image.isNull())
        return QCoreApplication::translate("skinmaker-cli", "装饰“%1”不是可读的 PNG 图片")
            .arg(decoration.file);
    const int index = document.SetDecoration(*corner, decoration.file, image.size());
    if (decoration.offset)
        document.MoveItem(index, *decoration.offset);
    return {};
}

// The options build and edit share, applied to the document; the error message, or empty.
QString ApplyOptions(const BuildOptions& options, SkinDocument& document)
{
    if (options.name) {
        if (options.name->isEmpty())
            return QCoreApplication::translate("skinmaker-cli", "皮肤名称为空");
        if (const QString nameError = CheckSkinName(*options.name); !nameError.isEmpty())
            return nameError;
        document.SetSkinName(*options.name);
    }
    if (options.tile)
        document.SetStretchMode(*options.tile ? StretchMode::Tile : StretchMode::Stretch);
    if (options.whiteTabs)
        document.SetWhiteTabText(*options.whiteTabs);
    if (options.color)
        document.SetMainColour(*options.color);
    if (options.autoColor) {
        const std::vector<ColorSuggestion> suggestions =
            SuggestColors(document.Picture()->Picture(), document.Crop());
        if (suggestions.empty())
            return NoSuggestion();
        document.SetMainColour(suggestions.front().color);
    }
    if (!options.thumbnail.isEmpty()) {
        auto thumbnail = std::make_shared<CSkinImage>();
        if (QString error = LoadPicture(options.thumbnail, *thumbnail); !error.isEmpty())
            return error;
        document.SetThumbnail(options.thumbnail, thumbnail);
    }
    PerCorner<bool> decorated{};
    for (const CliDecoration& decoration : options.decorations) {
        const std::optional<Corner> corner = CornerFromKeyName(decoration.cornerName);
        if (corner && decorated[*corner])
            return QCoreApplication::translate("skinmaker-cli", "角 %1 有两个装饰")
                .arg(decoration.cornerName);
        if (QString error = AddDecoration(decoration, document); !error.isEmpty())
            return error;
        decorated[*corner] = true;
    }
    for (const CliControl& control : options.controls) {
        if (QString error = AddControl(control, document); !error.isEmpty())
            return error;
    }
    return {};
}

// The opened package's control members, each with its item's index: the first control of a
// corner is that corner's member, every further one the next extra member.
QHash<QString, int> ControlMembers(const SkinDocument& document)
{
    QHash<QString, int> members;
    PerCorner<bool> seen{};
    int extra = 0;
    for (const int index : document.ControlIndexes()) {
        const Corner corner = document.Items()[index].corner;
        members.insert(seen[corner] ? ExtraControlMember(++extra) : CornerControlMember(corner), index);
        seen[corner] = true;
    }
    return members;
}

// edit: the moves and removals, which name the opened package's decorations by corner and its
// controls by member name. Every name is looked up in the package as opened; the removals come
// last, so that no index moves before it is used.
QString ApplyEditChanges(const BuildOptions& options, SkinDocument& document)
{
    const auto decorationAt = [&document](const QString& name, int* index) -> QString {
        const std::optional<Corner> corner = CornerFromKeyName(name);
        if (!corner)
            return BadCorner(name);
        *index = document.DecorationAt(*corner);
        if (*index < 0)
            return QCoreApplication::translate("skinmaker-cli", "皮肤包在角 %1 没有装饰").arg(name);
        return {};
    };
    std::set<int> removed;
    for (const CliMove& move : options.movedDecorations) {
        int index = -1;
        if (QString error = decorationAt(move.target, &index); !error.isEmpty())
            return error;
        document.MoveItem(index, move.position);
    }
    for (const QString& name : options.removedDecorations) {
        int index = -1;
        if (QString error = decorationAt(name, &index); !error.isEmpty())
            return error;
        removed.insert(index);
    }

    const QHash<QString, int> members = ControlMembers(document);
    const auto noControl = [](const QString& member) {
        return QCoreApplication::translate("skinmaker-cli", "皮肤包中没有控件 %1").arg(member);
    };
    for (const CliMove& move : options.movedControls) {
        const int index = members.value(move.target, -1);
        if (index < 0)
            return noControl(move.target);
        if (move.size) {
            document.ResizeControl(index, *move.size);
            WarnOfSize(move.target, *move.size, ReadSwfFrameSize(document.Items()[index].file));
        }
        document.MoveItem(index, move.position);
    }
    for (const QString& member : options.removedControls) {
        const int index = members.value(member, -1);
        if (index < 0)
            return noControl(member);
        removed.insert(index);
    }
    // A corner control removed: the corner's next control becomes its own, as on the controls page.
    for (auto it = removed.rbegin(); it != removed.rend(); ++it)
        document.RemoveItem(*it);
    return {};
}

int Save(const SkinDocument& document, const QString& output, StripAhead* ahead = nullptr)
{
    const BuildResult result = BuildPackage(document, output, ahead);
    if (!result.ok)
        return Fail(result.error);
    std::printf("%s\n", QFileInfo(output).absoluteFilePath().toLocal8Bit().constData());
    return 0;
}

} // namespace

int RunBuild(const BuildOptions& options)
{
    if (QString error = CheckOutput(options); !error.isEmpty())
        return Fail(error);
    SkinDocument document;
    std::optional<StripAhead> ahead;
    if (QString error = LoadHeaderPicture(options, document, ahead); !error.isEmpty())
        return Fail(error);
    if (QString error = ApplyOptions(options, document); !error.isEmpty())
        return Fail(error);
    return Save(document, options.output, ahead ? &*ahead : nullptr);
}

int RunEdit(const BuildOptions& options)
{
    if (!QFileInfo(options.package).isFile())
        return Fail(NotFound(options.package));
    if (QString error = CheckOutput(options); !error.isEmpty())
        return Fail(error);
    SkinDocument document;
    const OpenResult opened = OpenPackage(options.package, document);
    if (!opened.ok)
        return Fail(opened.error);
    if (!opened.warning.isEmpty())
        Warn(opened.warning);
    if (!document.HasPicture())
        return Fail(QCoreApplication::translate("skinmaker-cli", "皮肤包“%1”中没有可用的顶部图片")
                        .arg(options.package));
    if (opened.controlsLeftOut > 0) {
        // Saving would drop them: only when asked to.
        const QString leftOut =
            QCoreApplication::translate("skinmaker-cli",
                                        "皮肤包“%1”声明的附加控件中有 %n 个不在皮肤中（一个皮肤最多 %2 "
                                        "个附加控件，或者控件文件缺失），保存后它们将不再存在。",
                                        "", opened.controlsLeftOut)
                .arg(options.package)
                .arg(SkinDocument::kMaxExtraControls);
        if (!options.force)
            return Fail(leftOut +
                        QCoreApplication::translate("skinmaker-cli", "要不带它们保存，请加 --force。"));
        Warn(leftOut);
    }
    if (QString error = ApplyEditChanges(options, document); !error.isEmpty())
        return Fail(error);
    if (QString error = ApplyOptions(options, document); !error.isEmpty())
        return Fail(error);
    return Save(document, options.output);
}

int RunInfo(const QString& packagePath)
{
    if (!QFileInfo(packagePath).isFile())
        return Fail(NotFound(packagePath));
    // Read in memory only: info writes no file anywhere.
    SkinContent skin;
    PackageContent package;
    const OpenResult opened = OpenPackageInMemory(packagePath, skin, package);
    if (!opened.ok)
        return Fail(opened.error);
    if (!opened.warning.isEmpty())
        Warn(opened.warning);

    const SkinDescription& description = opened.description;
    QJsonObject info;
    info["name"] = description.name;
    info["showname"] = skin.skinName;
    if (skin.mainColour == 0) {
        info["color"] = QJsonValue::Null;
    } else {
        info["color"] = ColorText(skin.mainColour);
    }
    info["hue"] = description.colour.hue;
    info["sat"] = description.colour.sat;
    info["light"] = description.colour.light;
    info["white"] = skin.whiteTabText;
    info["tile"] = skin.stretchMode == StretchMode::Tile;
    if (skin.stretchRegion.IsNull()) {
        info["stretch"] = QJsonValue::Null;
    } else {
        const SkinRect& s = skin.stretchRegion;
        info["stretch"] = QJsonArray{s.left, s.top, s.right, s.bottom};
    }
    const QSize headerSize = HeaderSize(package);
    if (headerSize.isValid())
        info["header"] = QJsonObject{{"width", headerSize.width()}, {"height", headerSize.height()}};
    else
        info["header"] = QJsonValue::Null;

    QJsonArray decorations;
    for (Corner corner : kCorners) {
        for (const CornerItem& item : skin.items) {
            if (item.IsDecoration() && item.corner == corner)
                decorations.append(QJsonObject{{"corner", CornerKeyName(corner)},
                                               {"offset", Pair(item.offset.x(), item.offset.y())}});
        }
    }
    info["decorations"] = decorations;

    QJsonArray controls;
    auto addControl = [&controls, &package](const CornerItem& control, const QString& member) {
        controls.append(QJsonObject{{"corner", CornerKeyName(control.corner)},
                                    {"position", Pair(control.offset.x(), control.offset.y())},
                                    {"size", Pair(control.size.width(), control.size.height())},
                                    {"member", member},
                                    {"stage", StageSize(package, member)}});
    };
    const PackageControls split = SplitControls(skin.items);
    for (Corner corner : kCorners) {
        if (split.corner[corner])
            addControl(*split.corner[corner], CornerControlMember(corner));
    }
    for (qsizetype k = 0; k < split.extra.size(); ++k)
        addControl(split.extra[k], ExtraControlMember(static_cast<int>(k) + 1));
    info["controls"] = controls;
    info["members"] = QJsonArray::fromStringList(opened.members);

    const QByteArray json = QJsonDocument(info).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout);
    return 0;
}

int RunExtract(const QString& packagePath, const QString& destination)
{
    if (!QFileInfo(packagePath).isFile())
        return Fail(NotFound(packagePath));
    const QFileInfo target(destination);
    if (target.exists() && !target.isDir())
        return Fail(
            QCoreApplication::translate("skinmaker-cli", "“%1”已存在，但不是文件夹").arg(destination));
    if (!target.exists()) {
        if (const FolderResult made = MakeFolders(destination); !made)
            return Fail(QCoreApplication::translate("skinmaker-cli", "无法创建文件夹“%1”：%2")
                            .arg(destination, made.error));
    }
    QStringList members;
    uint32_t unpacked = ZIP_OK;
    if (!UnzipAll(packagePath, destination, &members, false, &unpacked)) {
        if (unpacked == ZIP_LIMIT)
            return Fail(QCoreApplication::translate("skinmaker-cli",
                                                    "无法解压“%1”：它超出了皮肤包的限制（最多 %2 个文件，"
                                                    "每个文件最多 %3 MB，总共最多 %4 MB）")
                            .arg(packagePath)
                            .arg(kMaxPackageMembers)
                            .arg(kMaxMemberBytes >> 20)
                            .arg(kMaxPackageBytes >> 20));
        if (unpacked == ZIP_OVERLAP)
            return Fail(
                QCoreApplication::translate("skinmaker-cli", "无法解压“%1”：其中有几个文件共用同一段数据")
                    .arg(packagePath));
        return Fail(QCoreApplication::translate("skinmaker-cli", "无法解压“%1”：皮肤包已损坏或无法读取")
                        .arg(packagePath));
    }
    for (const QString& member : members)
        std::printf("%s\n", member.toLocal8Bit().constData());
    return 0;
}

int RunSuggest(const SuggestOptions& options)
{
    CSkinImage picture;
    QString error = LoadPicture(options.picture, picture);
    if (!error.isEmpty())
        return Fail(error);
    const SkinRect crop = ResolveCrop(options.crop, picture.GetSize(), error);
    if (!error.isEmpty())
        return Fail(error);
    QJsonArray suggestions;
    for (const ColorSuggestion& suggestion : SuggestColors(picture.Picture(), crop))
        suggestions.append(QJsonObject{{"color", ColorText(suggestion.color)},
                                       {"share", suggestion.sharePermille / 1000.0},
                                       {"hue", suggestion.hue}});
    const QByteArray json = QJsonDocument(suggestions).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout);
    return 0;
}

int RunThumbnail(const QString& packagePath, const QString& pngPath, int size)
{
    if (!QFileInfo(packagePath).isFile())
        return Fail(NotFound(packagePath));
    const ThumbnailResult thumbnail = ReadPackageThumbnail(packagePath);
    if (thumbnail.image.isNull())
        return Fail(thumbnail.error);
    if (!FitThumbnail(thumbnail.image, size).save(pngPath, "PNG"))
        return Fail(QCoreApplication::translate("skinmaker-cli", "无法写入“%1”").arg(pngPath));
    return 0;
}

int RunRender(const QString& packagePath, const QString& pngPath, QSize window)
{
    if (!QFileInfo(packagePath).isFile())
        return Fail(NotFound(packagePath));
    SkinContent skin;
    const OpenResult opened = OpenPackage(packagePath, skin);
    if (!opened.ok)
        return Fail(opened.error);
    if (!opened.warning.isEmpty())
        Warn(opened.warning);
    const SkinViewResult view = SkinViewOfSkin(skin);
    if (!view.ok)
        return Fail(view.error);
    SkinViewPicture picture;
    picture.SetView(view.view);
    if (window.width() < picture.MinimumWidth())
        return Fail(QCoreApplication::translate("skinmaker-cli",
                                                "窗口宽度 %1 太窄：头图左右两段（加上窗口边框）共 %2 像素，"
                                                "播放器窗口不会比这更窄。请给出至少 %2 的 --width。")
                        .arg(window.width())
                        .arg(picture.MinimumWidth()));
    if (window.height() < kPlayerMinimumHeight)
        return Fail(QCoreApplication::translate("skinmaker-cli", "窗口高度 %1 太小：至少要 %2 像素。")
                        .arg(window.height())
                        .arg(kPlayerMinimumHeight));
    const QImage image = picture.Render(window, true);
    if (image.isNull() || !image.save(pngPath, "PNG"))
        return Fail(QCoreApplication::translate("skinmaker-cli", "无法写入“%1”").arg(pngPath));
    const SkinViewPicture::Layout layout = picture.LayOut(window);
    std::printf("%s\n", QCoreApplication::translate("skinmaker-cli",
                                                    "已写入 %1：画布 %2x%3，播放器窗口 %4x%5 位于 (%6, %7)。")
                            .arg(pngPath)
                            .arg(layout.canvas.width())
                            .arg(layout.canvas.height())
                            .arg(window.width())
                            .arg(window.height())
                            .arg(layout.window.x())
                            .arg(layout.window.y())
                            .toLocal8Bit()
                            .constData());
    // A count of its own: lupdate does not read a cast as the count argument.
    if (const int controls = int(layout.controls.size()); controls > 0)
        std::printf("%s\n",
                    QCoreApplication::translate(
                        "skinmaker-cli", "%n 个 Flash 控件画成了标有文件名的方框（命令行工具不播放 Flash）。",
                        "", controls)
                        .toLocal8Bit()
                        .constData());
    return 0;
}
