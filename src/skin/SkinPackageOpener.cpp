// OpenPackage: package -> extraction folder -> project; ReadPackage: package bytes -> what an
// open reads, in memory. Both check and read the unpacked members with ReadUnpacked.
#include "imaging/ColorModel.h"
#include "platform/PackageLimits.h"
#include "skin/HeaderStrips.h"
#include "skin/PackageNames.h"
#include "skin/ProfileFile.h"
#include "skin/SkinDescription.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <algorithm>

namespace {

// A member of the package as a file: a directory member of the same name is none.
bool IsMemberFile(const QString& path)
{
    return QFileInfo(path).isFile();
}

// The extra controls with their files, or none when a file is missing.
QList<FlashControl> OpenedExtraControls(QList<FlashControl> controls, const QString& folder)
{
    for (qsizetype k = 0; k < controls.size(); ++k) {
        const QString path = folder + '/' + ExtraControlMember(static_cast<int>(k) + 1);
        if (!IsMemberFile(path))
            return {};
        controls[k].path = path;
    }
    return controls;
}

// Decorations and flash controls, whatever header strips the package has. A corner whose file is
// missing keeps what it had.
void ReadCornerItems(const SkinDescription& description, const QString& folder, SkinProject& project)
{
    for (Corner corner : kCorners) {
        const QString path = folder + '/' + DecorationMember(corner);
        if (IsMemberFile(path))
            project.decorations[corner] = {true, path, description.decorationOffsets[corner]};
    }
    for (Corner corner : kCorners) {
        const QString path = folder + '/' + CornerControlMember(corner);
        if (!IsMemberFile(path))
            continue;
        FlashControl& control = project.cornerControls[corner];
        control.path = path;
        control.corner = corner;
        // A malformed value leaves position and size as they were.
        if (const std::optional<ControlPlacement>& placement = description.cornerControls[corner]) {
            control.position = placement->position;
            control.size = placement->size;
        }
    }
    project.extraControls = OpenedExtraControls(description.extraControls, folder);
    project.extraControlsLeftOut = std::max<int32_t>(
        0, description.declaredExtraControls - static_cast<int32_t>(project.extraControls.size()));
}

// The extraction folder was emptied before the package was unpacked: a corner the package does
// not fill may still name a file of an earlier open there. Such fields are cleared; files
// elsewhere (the user's own) are kept.
void ForgetFilesGoneFrom(const QString& folder, SkinProject& project)
{
    const auto gone = [&folder](const QString& path) {
        return path.startsWith(folder + '/') && !FileExists(path);
    };
    for (CornerDecoration& decoration : project.decorations) {
        if (gone(decoration.path))
            decoration = {};
    }
    for (FlashControl& control : project.cornerControls) {
        if (gone(control.path))
            control.path.clear();
    }
    project.extraControls.removeIf([&gone](const FlashControl& control) { return gone(control.path); });
    if (gone(project.thumbnailPath))
        project.thumbnailPath.clear();
}

QString UnpackProblem(const QString& packagePath, uint32_t code)
{
    if (code == ZIP_LIMIT)
        return QCoreApplication::translate(
                   "SkinPackage", "皮肤包“%1”超出了皮肤包的大小限制（最多 %2 个文件，每个文件最多 %3 MB，"
                                  "总共最多 %4 MB），不会解压。")
            .arg(packagePath)
            .arg(kMaxPackageMembers)
            .arg(kMaxMemberBytes >> 20)
            .arg(kMaxPackageBytes >> 20);
    if (code == ZIP_OVERLAP)
        return QCoreApplication::translate(
                   "SkinPackage", "皮肤包“%1”中有几个文件共用同一段数据，不是有效的皮肤包，不会解压。")
            .arg(packagePath);
    return QCoreApplication::translate("SkinPackage", "无法解压皮肤包“%1”，文件可能已损坏。")
        .arg(packagePath);
}

// True when a decoration picture declares a side beyond kMaxItemSide, or all of them together more
// than kMaxDecorationPixels: read from their headers, before anything is decoded.
bool DecorationsTooLarge(const MemberBytes& member)
{
    int64_t pixels = 0;
    for (Corner corner : kCorners) {
        const QByteArray name = DecorationMember(corner).toLatin1();
        const std::optional<QByteArray> bytes = member(name.constData());
        if (!bytes)
            continue;
        const QSize size = DeclaredSize(*bytes, name.constData());
        if (size.width() > kMaxItemSide || size.height() > kMaxItemSide)
            return true;
        if (size.isValid())
            pixels += int64_t(size.width()) * size.height();
    }
    return pixels > kMaxDecorationPixels;
}

// What the checks and the reading of the unpacked members found.
struct UnpackedReading {
    QString error;               // for the user; empty when the package can be used
    bool membersRefused = false; // the unpacked members must not stay
    SkinDescription description;
    RebuiltHeader header;
};

UnpackedReading ReadUnpacked(const MemberBytes& member, const QString& packagePath)
{
    UnpackedReading reading;
    const std::optional<QByteArray> confBytes = member(kConfMember);
    const std::optional<QByteArray> thumbnail = member(kThumbnailMember);
    if ((confBytes && confBytes->size() > kMaxDescriptionBytes) ||
        (thumbnail && PictureTooLarge(*thumbnail, kThumbnailMember))) {
        reading.membersRefused = true;
        reading.error =
            QCoreApplication::translate(
                "SkinPackage", "皮肤包“%1”中的描述文件或缩略图过大（描述文件最多 %2 KB，缩略图最多 %3 "
                               "万像素），不是有效的皮肤包。")
                .arg(packagePath)
                .arg(kMaxDescriptionBytes >> 10)
                .arg(kMaxPackagePicturePixels / 10000);
        return reading;
    }
    if (DecorationsTooLarge(member)) {
        reading.membersRefused = true;
        reading.error = QCoreApplication::translate(
                            "SkinPackage", "皮肤包“%1”中的边框装饰图片过大（每边最多 %2 像素，合计最多 %3 "
                                           "万像素），不是有效的皮肤包。")
                            .arg(packagePath)
                            .arg(kMaxItemSide)
                            .arg(kMaxDecorationPixels / 10000);
        return reading;
    }
    ProfileFile conf;
    conf.SetBytes(confBytes.value_or(QByteArray()));
    reading.description = ReadDescription(conf);
    reading.header = RebuildHeader(member);
    if (reading.header.tooLarge)
        reading.error =
            QCoreApplication::translate("SkinPackage", "皮肤包“%1”中的顶部图片过大（最多 %2 万像素）。")
                .arg(packagePath)
                .arg(kMaxPackagePicturePixels / 10000);
    else if (reading.header.failed)
        reading.error =
            QCoreApplication::translate("SkinPackage", "皮肤包“%1”中的顶部图片无法拼接。").arg(packagePath);
    return reading;
}

// Members unpacked into folder, read from there.
MemberBytes FolderMembers(const QString& folder)
{
    return [folder](const char* name) -> std::optional<QByteArray> {
        QFile file(folder + '/' + QLatin1String(name));
        if (!IsMemberFile(file.fileName()))
            return std::nullopt;
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
}

// Members unpacked into memory, looked up as they would be found in a folder: a later member
// replaces an earlier one of the same name, and a member's path makes folders of its parents.
MemberBytes MemoryMembers(const QList<UnzippedMember>& members)
{
    QHash<QString, qsizetype> found; // index into members; -1 for a folder
    for (qsizetype i = 0; i < members.size(); ++i) {
        const QString path = QDir::cleanPath(QString(members[i].name).replace('\\', '/'));
        for (qsizetype slash = path.indexOf('/'); slash > 0; slash = path.indexOf('/', slash + 1))
            found.insert(path.left(slash), -1);
        found.insert(path, members[i].folder ? -1 : i);
    }
    return [found, &members](const char* name) -> std::optional<QByteArray> {
        const qsizetype at = found.value(QLatin1String(name), -1);
        return at < 0 ? std::nullopt : std::optional<QByteArray>(members[at].bytes);
    };
}

bool WriteWhole(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
           file.flush();
}

} // namespace

OpenResult OpenPackage(const QString& packagePath, SkinProject& project)
{
    OpenResult result;
    const QString fileName = FileNamePart(packagePath);
    // The extraction folder is named after the file; "." or ".." would empty a folder above it.
    if (fileName.isEmpty() || fileName == "." || fileName == ".." || !QFileInfo(packagePath).isFile()) {
        result.error = QCoreApplication::translate("SkinPackage", "找不到皮肤包“%1”。").arg(packagePath);
        return result;
    }
    const QString folder = ExtractionFolder(packagePath);
    result.extractionFolder = folder;
    if (const FolderResult prepared = PrepareExtractionFolder(packagePath); !prepared) {
        result.error = prepared.error;
        return result;
    }
    uint32_t unpacked = ZIP_OK;
    if (!UnzipAll(packagePath, folder, &result.members, true, &unpacked)) {
        EmptyFolder(folder, QString());
        result.error = UnpackProblem(packagePath, unpacked);
        return result;
    }

    const UnpackedReading reading = ReadUnpacked(FolderMembers(folder), packagePath);
    if (reading.membersRefused)
        EmptyFolder(folder, QString());
    if (!reading.error.isEmpty()) {
        result.error = reading.error;
        return result;
    }
    const SkinDescription& description = reading.description;
    RebuiltHeader header = reading.header;
    const QString headPath = folder + '/' + QLatin1String(kHeaderFile);
    if (header.source == RebuiltHeader::Source::Strips &&
        (!WriteWhole(folder + '/' + QLatin1String(kJoinedLeftMidFile), header.joinedLeftMid) ||
         !WriteWhole(headPath, header.header))) {
        result.error =
            QCoreApplication::translate("SkinPackage", "皮肤包“%1”中的顶部图片无法拼接。").arg(packagePath);
        return result;
    }
    if (header.source == RebuiltHeader::Source::MidOnly) {
        QFile::remove(headPath);
        // A failed copy leaves no header; the header page then says the picture cannot be loaded.
        if (!WriteWhole(headPath, header.header)) {
            QFile::remove(headPath);
            header.source = RebuiltHeader::Source::None;
        }
    }
    // Tile and stretch region come only with all three strips.
    if (header.source == RebuiltHeader::Source::Strips) {
        project.tile = description.tile;
        project.stretchRegion = header.stretch;
    }
    ReadCornerItems(description, folder, project);

    result.headerPath = headPath;
    project.picturePath = result.headerPath;
    // The header is taken whole: cutting it again by the rule for new pictures would lose a pixel.
    if (const QSize headerSize = QImageReader(result.headerPath).size(); !headerSize.isEmpty())
        project.crop = {0, 0, headerSize.width(), headerSize.height()};
    project.mainColor = ColorOfNumbers(description.colour);
    project.colourAsRead = ColourAsRead{description.colour, project.mainColor};
    project.whiteTabText = description.whiteTabText;
    project.skinName = description.showName;
    project.thumbnailPath = folder + '/' + QLatin1String(kThumbnailMember);
    // The thumbnail is the opened one: a picture decoded for an earlier skin no longer applies.
    project.thumbnailPicture = nullptr;
    ForgetFilesGoneFrom(folder, project);
    if (description.outOfBounds > 0)
        result.warning =
            QCoreApplication::translate("SkinPackage",
                                        "皮肤包“%1”中有 %2 个装饰或控件的位置或大小超出范围（位置最多偏离 %3 "
                                        "像素，大小最多 %4 像素），已改为范围内最接近的值。")
                .arg(packagePath)
                .arg(description.outOfBounds)
                .arg(kMaxItemOffset)
                .arg(kMaxItemSide);
    result.ok = true;
    return result;
}

PackageContent ReadPackage(const QByteArray& archive, const QString& packagePath)
{
    PackageContent content;
    uint32_t unpacked = ZIP_OK;
    if (!UnzipAllToMemory(archive, &content.members, &unpacked)) {
        content.error = UnpackProblem(packagePath, unpacked);
        return content;
    }
    UnpackedReading reading = ReadUnpacked(MemoryMembers(content.members), packagePath);
    content.error = reading.error;
    content.ok = reading.error.isEmpty();
    content.description = std::move(reading.description);
    content.header = std::move(reading.header);
    return content;
}
