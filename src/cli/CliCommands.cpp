#include "cli/CliCommands.h"

#include "flash/core/SwfHeader.h"
#include "imaging/CSkinImage.h"
#include "imaging/ColorSuggest.h"
#include "platform/PackageLimits.h"
#include "skin/PackageNames.h"
#include "skin/PackageThumbnail.h"
#include "skin/ProfileFile.h"
#include "skin/SkinDescription.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"

#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "skinmaker-cli: %s\n", message.toLocal8Bit().constData());
    return 1;
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

// Decodes the picture; the error message when it is missing or cannot be decoded.
QString LoadPicture(const QString& path, CSkinImage& picture)
{
    if (!QFileInfo(path).isFile())
        return QStringLiteral("picture %1 not found").arg(path);
    if (!picture.LoadFromFile(path))
        return QStringLiteral("picture %1 cannot be decoded").arg(path);
    return {};
}

// The given crop, or the default one, checked against the picture; the error message in error.
SkinRect ResolveCrop(const std::optional<SkinRect>& given, const QSize& size, QString& error)
{
    const SkinRect crop = given ? *given : DefaultCrop(size);
    if (crop.IsEmpty())
        error = given ? QStringLiteral("crop %1 is empty").arg(RectText(*given))
                      : QStringLiteral("the picture is too small for a 700:61 header");
    else if (!Contains({0, 0, size.width(), size.height()}, crop))
        error = QStringLiteral("crop %1 is not inside the %2x%3 picture")
                    .arg(RectText(crop))
                    .arg(size.width())
                    .arg(size.height());
    return crop;
}

const QString kNoSuggestion = QStringLiteral("the crop has no opaque pixel to suggest a colour from");

// The movie's stage size, or null when the member is missing or no readable movie.
QJsonValue StageSize(const QString& extractionFolder, const QString& member)
{
    const SwfFrameSize stage = ReadSwfFrameSize(extractionFolder + '/' + member);
    return stage.ok ? QJsonValue(Pair(stage.width, stage.height)) : QJsonValue(QJsonValue::Null);
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
    if (options.name.isEmpty())
        return Fail(QStringLiteral("the skin name is empty"));
    if (const QString nameError = CheckSkinName(options.name); !nameError.isEmpty())
        return Fail(QStringLiteral("name refused: %1").arg(nameError));
    const QFileInfo output(options.output);
    if (output.exists() && !options.force)
        return Fail(QStringLiteral("%1 already exists (use --force to replace it)").arg(options.output));
    if (output.isDir())
        return Fail(QStringLiteral("%1 is a folder").arg(options.output));

    SkinProject project;
    ResetProject(project);
    auto picture = std::make_shared<CSkinImage>();
    QString error = LoadPicture(options.picture, *picture);
    if (!error.isEmpty())
        return Fail(error);
    project.picturePath = options.picture;
    project.picture = picture;
    project.crop = ResolveCrop(options.crop, picture->GetSize(), error);
    if (!error.isEmpty())
        return Fail(error);
    if (options.stretch && !options.stretch->IsNull()) {
        const SkinRect& s = *options.stretch;
        const SkinRect& c = project.crop;
        if (s.IsEmpty() || !Contains(c, s) || s.left == c.left || s.right == c.right)
            return Fail(QStringLiteral("stretch %1 must be a non-empty region inside the crop %2 that leaves "
                                       "some of the crop on both sides")
                            .arg(RectText(s), RectText(c)));
        project.stretchRegion = s;
    }
    project.tile = options.tile ? 1 : 0;
    project.mainColor = options.color;
    if (options.autoColor) {
        const std::vector<ColorSuggestion> suggestions = SuggestColors(picture->Picture(), project.crop);
        if (suggestions.empty())
            return Fail(kNoSuggestion);
        project.mainColor = suggestions.front().color;
    }
    project.whiteTabText = options.whiteTabs;
    project.skinName = options.name;

    if (!options.thumbnail.isEmpty()) {
        auto thumbnail = std::make_shared<CSkinImage>();
        if (!QFileInfo(options.thumbnail).isFile())
            return Fail(QStringLiteral("thumbnail %1 not found").arg(options.thumbnail));
        if (!thumbnail->LoadFromFile(options.thumbnail))
            return Fail(QStringLiteral("thumbnail %1 cannot be decoded").arg(options.thumbnail));
        project.thumbnailPath = options.thumbnail;
        project.thumbnailPicture = thumbnail;
    }

    for (const CliDecoration& decoration : options.decorations) {
        const int corner = CornerFromName(decoration.cornerName);
        if (corner < 0)
            return Fail(QStringLiteral("bad corner \"%1\" (lefttop, righttop, leftbottom or rightbottom)")
                            .arg(decoration.cornerName));
        if (project.decorations[corner].present)
            return Fail(QStringLiteral("corner %1 has two decorations").arg(decoration.cornerName));
        if (!QFileInfo(decoration.file).isFile())
            return Fail(QStringLiteral("decoration %1 not found").arg(decoration.file));
        QImageReader reader(decoration.file);
        if (reader.format() != "png" || reader.read().isNull())
            return Fail(QStringLiteral("decoration %1 is not a readable PNG picture").arg(decoration.file));
        project.decorations[corner] = {true, decoration.file, decoration.offset};
    }

    for (const CliControl& control : options.controls) {
        const int corner = CornerFromName(control.cornerName);
        if (corner < 0)
            return Fail(QStringLiteral("bad corner \"%1\" (lefttop, righttop, leftbottom or rightbottom)")
                            .arg(control.cornerName));
        if (!QFileInfo(control.file).isFile())
            return Fail(QStringLiteral("control %1 not found").arg(control.file));
        if (!ReadSwfFrameSize(control.file).ok)
            return Fail(QStringLiteral("control %1 is not a readable flash movie (SWF)").arg(control.file));
        const FlashControl placed{control.file, corner, control.position, control.size};
        if (!project.cornerControls[corner].IsPresent()) {
            project.cornerControls[corner] = placed;
            continue;
        }
        if (project.extraControls.size() >= kMaxOpenedExtraControls)
            return Fail(
                QStringLiteral("at most %1 extra controls fit in a skin").arg(kMaxOpenedExtraControls));
        project.extraControls.append(placed);
    }

    const BuildResult result = BuildPackage(project, options.output);
    if (!result.ok)
        return Fail(result.error);
    std::printf("%s\n", QFileInfo(options.output).absoluteFilePath().toLocal8Bit().constData());
    return 0;
}

int RunInfo(const QString& packagePath)
{
    if (!QFileInfo(packagePath).isFile())
        return Fail(QStringLiteral("package %1 not found").arg(packagePath));
    SkinProject project;
    ResetProject(project);
    const OpenResult opened = OpenPackage(packagePath, project);
    if (!opened.ok)
        return Fail(opened.error);

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
    for (int corner = 0; corner < kCornerCount; ++corner) {
        if (!project.decorations[corner].present)
            continue;
        const QPoint offset = project.decorations[corner].offset;
        decorations.append(
            QJsonObject{{"corner", kCornerKeyNames[corner]}, {"offset", Pair(offset.x(), offset.y())}});
    }
    info["decorations"] = decorations;

    QJsonArray controls;
    auto addControl = [&controls, &opened](int corner, const FlashControl& control, const QString& member) {
        controls.append(QJsonObject{{"corner", kCornerKeyNames[corner]},
                                    {"position", Pair(control.position.x(), control.position.y())},
                                    {"size", Pair(control.size.width(), control.size.height())},
                                    {"member", member},
                                    {"stage", StageSize(opened.extractionFolder, member)}});
    };
    for (int corner = 0; corner < kCornerCount; ++corner) {
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
        return Fail(QStringLiteral("package %1 not found").arg(packagePath));
    const QFileInfo target(destination);
    if (target.exists() && !target.isDir())
        return Fail(QStringLiteral("%1 exists and is not a folder").arg(destination));
    if (!target.exists()) {
        if (const FolderResult made = MakeFolders(destination); !made)
            return Fail(QStringLiteral("cannot create the folder %1: %2").arg(destination, made.error));
    }
    QStringList members;
    uint32_t unpacked = ZIP_OK;
    if (!UnzipAll(packagePath, destination, &members, false, &unpacked)) {
        if (unpacked == ZIP_LIMIT)
            return Fail(
                QStringLiteral("cannot unpack %1: it exceeds the limits of a skin package (at most %2 "
                               "members, %3 MiB each, %4 MiB in all)")
                    .arg(packagePath)
                    .arg(kMaxPackageMembers)
                    .arg(kMaxMemberBytes >> 20)
                    .arg(kMaxPackageBytes >> 20));
        if (unpacked == ZIP_OVERLAP)
            return Fail(QStringLiteral("cannot unpack %1: several of its members share the same bytes")
                            .arg(packagePath));
        return Fail(
            QStringLiteral("cannot unpack %1: the package is damaged or unreadable").arg(packagePath));
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
        return Fail(QStringLiteral("package %1 not found").arg(packagePath));
    const ThumbnailResult thumbnail = ReadPackageThumbnail(packagePath);
    if (thumbnail.image.isNull())
        return Fail(thumbnail.error);
    if (!FitThumbnail(thumbnail.image, size).save(pngPath, "PNG"))
        return Fail(QStringLiteral("cannot write %1").arg(pngPath));
    return 0;
}
