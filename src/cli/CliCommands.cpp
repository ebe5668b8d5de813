#include "cli/CliCommands.h"

#include "flash/core/SwfHeader.h"
#include "imaging/CSkinImage.h"
#include "imaging/ColorSuggest.h"
#include "imaging/ImageLoading.h"
#include "platform/FileExtensions.h"
#include "platform/PackageLimits.h"
#include "skin/CornerPlacement.h"
#include "skin/PackageNames.h"
#include "skin/PackageThumbnail.h"
#include "skin/ProfileFile.h"
#include "skin/SkinDescription.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "skin/SkinViewPicture.h"
#include "zip/Zip.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
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
QJsonValue StageSize(const QString& extractionFolder, const QString& member)
{
    const SwfFrameSize stage = ReadSwfFrameSize(extractionFolder + '/' + member);
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
// gives exactly the pixels of a whole decode; the project then holds those rows, and its crop and
// stretch region are moved up by the rows left out.
QString LoadHeaderPicture(const BuildOptions& options, SkinProject& project)
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
    QImage rows = DecodePictureRows(options.picture, crop.top, crop.bottom, &firstRow);
    if (rows.isNull())
        return Undecodable(options.picture);
    if (firstRow == 0 && rows.size() != declared) {
        // decoded whole, at another size than its header said: the crop follows the picture
        crop = ResolveCrop(options.crop, rows.size(), error);
        if (!error.isEmpty())
            return error;
    }
    if (options.stretch && !options.stretch->IsNull()) {
        const SkinRect& s = *options.stretch;
        if (s.IsEmpty() || !Contains(crop, s) || s.left == crop.left || s.right == crop.right)
            return QCoreApplication::translate(
                       "skinmaker-cli", "拉伸区域 %1 必须是裁剪区域 %2 之内的非空区域，并在左右两边都留出"
                                        "裁剪区域的一部分")
                .arg(RectText(s), RectText(crop));
        project.stretchRegion = {s.left, s.top - firstRow, s.right, s.bottom - firstRow};
    }
    auto picture = std::make_shared<CSkinImage>();
    if (!picture->LoadFromImage(std::move(rows)))
        return Undecodable(options.picture);
    project.picturePath = options.picture;
    project.picture = picture;
    project.crop = {crop.left, crop.top - firstRow, crop.right, crop.bottom - firstRow};
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

// Adds a flash control as the wizard's controls page lists it: the first of a corner is that
// corner's control, every further one an extra control.
QString AddControl(const CliControl& control, SkinProject& project)
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
    const FlashControl placed{control.file, *corner, control.position.value_or(DefaultCornerOffset(size)),
                              size};
    if (!project.cornerControls[*corner].IsPresent()) {
        project.cornerControls[*corner] = placed;
        return {};
    }
    if (project.extraControls.size() >= kMaxFlashControls)
        return QCoreApplication::translate("skinmaker-cli", "一个皮肤最多有 %1 个附加控件")
            .arg(kMaxFlashControls);
    project.extraControls.append(placed);
    return {};
}

QString AddDecoration(const CliDecoration& decoration, SkinProject& project)
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
    project.decorations[*corner] = {true, decoration.file,
                                    decoration.offset.value_or(DefaultCornerOffset(image.size()))};
    return {};
}

// The options build and edit share, applied to project; the error message, or empty.
QString ApplyOptions(const BuildOptions& options, SkinProject& project)
{
    if (options.name) {
        if (options.name->isEmpty())
            return QCoreApplication::translate("skinmaker-cli", "皮肤名称为空");
        if (const QString nameError = CheckSkinName(*options.name); !nameError.isEmpty())
            return nameError;
        project.skinName = *options.name;
    }
    if (options.tile)
        project.tile = *options.tile ? 1 : 0;
    if (options.whiteTabs)
        project.whiteTabText = *options.whiteTabs;
    if (options.color)
        project.mainColor = *options.color;
    if (options.autoColor) {
        const std::vector<ColorSuggestion> suggestions =
            SuggestColors(project.picture->Picture(), project.crop);
        if (suggestions.empty())
            return NoSuggestion();
        project.mainColor = suggestions.front().color;
    }
    if (!options.thumbnail.isEmpty()) {
        auto thumbnail = std::make_shared<CSkinImage>();
        if (QString error = LoadPicture(options.thumbnail, *thumbnail); !error.isEmpty())
            return error;
        project.thumbnailPath = options.thumbnail;
        project.thumbnailPicture = thumbnail;
    }
    PerCorner<bool> decorated{};
    for (const CliDecoration& decoration : options.decorations) {
        const std::optional<Corner> corner = CornerFromKeyName(decoration.cornerName);
        if (corner && decorated[*corner])
            return QCoreApplication::translate("skinmaker-cli", "角 %1 有两个装饰")
                .arg(decoration.cornerName);
        if (QString error = AddDecoration(decoration, project); !error.isEmpty())
            return error;
        decorated[*corner] = true;
    }
    for (const CliControl& control : options.controls) {
        if (QString error = AddControl(control, project); !error.isEmpty())
            return error;
    }
    return {};
}

// edit: the moves and removals, which name the opened package's decorations by corner and its
// controls by member name.
QString ApplyEditChanges(const BuildOptions& options, SkinProject& project)
{
    const auto decorationAt = [&project](const QString& name, Corner* corner) -> QString {
        const std::optional<Corner> named = CornerFromKeyName(name);
        if (!named)
            return BadCorner(name);
        *corner = *named;
        if (!project.decorations[*corner].present)
            return QCoreApplication::translate("skinmaker-cli", "皮肤包在角 %1 没有装饰").arg(name);
        return {};
    };
    for (const CliMove& move : options.movedDecorations) {
        Corner corner = Corner::LeftTop;
        if (QString error = decorationAt(move.target, &corner); !error.isEmpty())
            return error;
        project.decorations[corner].offset = move.position;
    }
    for (const QString& name : options.removedDecorations) {
        Corner corner = Corner::LeftTop;
        if (QString error = decorationAt(name, &corner); !error.isEmpty())
            return error;
        project.decorations[corner] = {};
    }

    // Controls by member: corner controls are 0..3, extra control k is 3 + k.
    const auto controlIndex = [&project](const QString& member) {
        for (Corner corner : kCorners) {
            if (project.cornerControls[corner].IsPresent() && member == CornerControlMember(corner))
                return CornerIndex(corner);
        }
        for (qsizetype k = 0; k < project.extraControls.size(); ++k) {
            if (member == ExtraControlMember(int(k) + 1))
                return kCornerCount + int(k);
        }
        return -1;
    };
    const auto control = [&project](int index) -> FlashControl& {
        return index < kCornerCount ? project.cornerControls[index]
                                    : project.extraControls[index - kCornerCount];
    };
    const auto noControl = [](const QString& member) {
        return QCoreApplication::translate("skinmaker-cli", "皮肤包中没有控件 %1").arg(member);
    };
    for (const CliMove& move : options.movedControls) {
        const int index = controlIndex(move.target);
        if (index < 0)
            return noControl(move.target);
        FlashControl& moved = control(index);
        moved.position = move.position;
        if (move.size) {
            moved.size = *move.size;
            WarnOfSize(move.target, *move.size, ReadSwfFrameSize(moved.path));
        }
    }
    std::set<int> removed;
    for (const QString& member : options.removedControls) {
        const int index = controlIndex(member);
        if (index < 0)
            return noControl(member);
        removed.insert(index);
    }
    for (auto it = removed.rbegin(); it != removed.rend() && *it >= kCornerCount; ++it)
        project.extraControls.removeAt(*it - kCornerCount);
    for (auto it = removed.begin(); it != removed.end() && *it < kCornerCount; ++it) {
        // As on the controls page: the corner's first further control takes the corner's place.
        const Corner corner = kCorners[*it];
        project.cornerControls[corner] = {};
        const auto next = std::find_if(project.extraControls.begin(), project.extraControls.end(),
                                       [corner](const FlashControl& c) { return c.corner == corner; });
        if (next != project.extraControls.end()) {
            project.cornerControls[corner] = *next;
            project.extraControls.erase(next);
        }
    }
    return {};
}

int Save(const SkinProject& project, const QString& output)
{
    const BuildResult result = BuildPackage(project, output);
    if (!result.ok)
        return Fail(result.error);
    std::printf("%s\n", QFileInfo(output).absoluteFilePath().toLocal8Bit().constData());
    return 0;
}

} // namespace

SkinRect DefaultCrop(const QSize& pictureSize)
{
    const qint64 width = pictureSize.width();
    const qint64 height = pictureSize.height();
    qint64 cropWidth = width;
    qint64 cropHeight = height;
    if (width * 61 >= height * 700)
        cropWidth = height * 700 / 61;
    else
        cropHeight = width * 61 / 700;
    if (cropWidth <= 0 || cropHeight <= 0)
        return {};
    const auto left = static_cast<int32_t>((width - cropWidth) / 2);
    const auto top = static_cast<int32_t>((height - cropHeight) / 2);
    return {left, top, left + static_cast<int32_t>(cropWidth), top + static_cast<int32_t>(cropHeight)};
}

int RunBuild(const BuildOptions& options)
{
    if (QString error = CheckOutput(options); !error.isEmpty())
        return Fail(error);
    SkinProject project;
    ResetProject(project);
    if (QString error = LoadHeaderPicture(options, project); !error.isEmpty())
        return Fail(error);
    if (QString error = ApplyOptions(options, project); !error.isEmpty())
        return Fail(error);
    return Save(project, options.output);
}

int RunEdit(const BuildOptions& options)
{
    if (!QFileInfo(options.package).isFile())
        return Fail(NotFound(options.package));
    if (QString error = CheckOutput(options); !error.isEmpty())
        return Fail(error);
    SkinProject project;
    ResetProject(project);
    const OpenResult opened = OpenPackage(options.package, project);
    if (!opened.ok)
        return Fail(opened.error);
    if (!opened.warning.isEmpty())
        Warn(opened.warning);
    auto header = std::make_shared<CSkinImage>();
    if (!QFileInfo(opened.headerPath).isFile() || !header->LoadFromFile(opened.headerPath))
        return Fail(QCoreApplication::translate("skinmaker-cli", "皮肤包“%1”中没有可用的顶部图片")
                        .arg(options.package));
    project.picture = header;
    if (QString error = ApplyEditChanges(options, project); !error.isEmpty())
        return Fail(error);
    if (QString error = ApplyOptions(options, project); !error.isEmpty())
        return Fail(error);
    return Save(project, options.output);
}

int RunInfo(const QString& packagePath)
{
    if (!QFileInfo(packagePath).isFile())
        return Fail(NotFound(packagePath));
    SkinProject project;
    ResetProject(project);
    const OpenResult opened = OpenPackage(packagePath, project);
    if (!opened.ok)
        return Fail(opened.error);
    if (!opened.warning.isEmpty())
        Warn(opened.warning);

    ProfileFile conf;
    conf.Load(opened.extractionFolder + '/' + QLatin1String(kConfMember));
    const SkinDescription description = ReadDescription(conf);
    QJsonObject info;
    info["name"] = description.name;
    info["showname"] = project.skinName;
    if (project.mainColor == 0) {
        info["color"] = QJsonValue::Null;
    } else {
        info["color"] = ColorText(project.mainColor);
    }
    info["hue"] = description.colour.hue;
    info["sat"] = description.colour.sat;
    info["light"] = description.colour.light;
    info["white"] = project.whiteTabText;
    info["tile"] = project.tile != 0;
    if (project.stretchRegion.IsNull()) {
        info["stretch"] = QJsonValue::Null;
    } else {
        const SkinRect& s = project.stretchRegion;
        info["stretch"] = QJsonArray{s.left, s.top, s.right, s.bottom};
    }
    const QImageReader header(opened.headerPath);
    const QSize headerSize = QFileInfo(opened.headerPath).isFile() ? header.size() : QSize();
    if (headerSize.isValid())
        info["header"] = QJsonObject{{"width", headerSize.width()}, {"height", headerSize.height()}};
    else
        info["header"] = QJsonValue::Null;

    QJsonArray decorations;
    for (Corner corner : kCorners) {
        if (!project.decorations[corner].present)
            continue;
        const QPoint offset = project.decorations[corner].offset;
        decorations.append(
            QJsonObject{{"corner", CornerKeyName(corner)}, {"offset", Pair(offset.x(), offset.y())}});
    }
    info["decorations"] = decorations;

    QJsonArray controls;
    auto addControl = [&controls, &opened](Corner corner, const FlashControl& control,
                                           const QString& member) {
        controls.append(QJsonObject{{"corner", CornerKeyName(corner)},
                                    {"position", Pair(control.position.x(), control.position.y())},
                                    {"size", Pair(control.size.width(), control.size.height())},
                                    {"member", member},
                                    {"stage", StageSize(opened.extractionFolder, member)}});
    };
    for (Corner corner : kCorners) {
        if (project.cornerControls[corner].IsPresent())
            addControl(corner, project.cornerControls[corner], CornerControlMember(corner));
    }
    for (qsizetype k = 0; k < project.extraControls.size(); ++k) {
        const FlashControl& control = project.extraControls[k];
        addControl(control.corner, control, ExtraControlMember(static_cast<int>(k) + 1));
    }
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
    SkinProject project;
    const OpenResult opened = OpenPackage(packagePath, project);
    if (!opened.ok)
        return Fail(opened.error);
    if (!opened.warning.isEmpty())
        Warn(opened.warning);
    const SkinViewResult view = SkinViewOfProject(project);
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
