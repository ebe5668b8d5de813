// OpenPackage: package -> memory -> skin, with the members it takes as files written out; ReadPackage:
// package bytes -> what an open reads, in memory. Both check and read the unpacked members with ReadUnpacked.
#include "flash/core/SwfHeader.h"
#include "imaging/CSkinImage.h"
#include "imaging/ColorModel.h"
#include "platform/PackageLimits.h"
#include "skin/CornerPlacement.h"
#include "skin/HeaderStrips.h"
#include "skin/PackageNames.h"
#include "skin/ProfileFile.h"
#include "skin/SkinDescription.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <algorithm>

namespace {

// Where the members the skin takes as files are found: written into the extraction folder, or
// only in memory (then an item's file is its member name).
struct MemberFiles {
    MemberBytes bytes;
    QString folder; // empty: in memory

    QString Path(const QString& name) const { return folder.isEmpty() ? name : folder + '/' + name; }
    // A member as a file: a directory member of the same name is none.
    bool Has(const QString& name) const
    {
        if (folder.isEmpty())
            return bytes(name.toLatin1().constData()).has_value();
        return QFileInfo(Path(name)).isFile();
    }
    QSize PictureSize(const QString& name) const
    {
        if (folder.isEmpty())
            return DeclaredSize(bytes(name.toLatin1().constData()).value_or(QByteArray()),
                                name.toLatin1().constData());
        return QImageReader(Path(name)).size();
    }
    SwfFrameSize Stage(const QString& name) const
    {
        if (!folder.isEmpty())
            return ReadSwfFrameSize(Path(name));
        QByteArray movie = bytes(name.toLatin1().constData()).value_or(QByteArray());
        QBuffer buffer(&movie);
        buffer.open(QIODevice::ReadOnly);
        return ReadSwfFrameSize(buffer);
    }
};

// A corner control placed as a new one is: its movie's stage size (none when unreadable),
// centred on the corner.
CornerItem DefaultControlPlacement(Corner corner, const SwfFrameSize& stage)
{
    const QSize size = stage.ok ? QSize(stage.width, stage.height) : QSize(0, 0);
    return {CornerItemKind::Control, corner, DefaultCornerOffset(size), size, {}, {}, false};
}

// The extra controls with their files, or none when a file is missing.
QList<CornerItem> OpenedExtraControls(QList<CornerItem> controls, const MemberFiles& files)
{
    for (qsizetype k = 0; k < controls.size(); ++k) {
        const QString name = ExtraControlMember(static_cast<int>(k) + 1);
        if (!files.Has(name))
            return {};
        controls[k].file = files.Path(name);
    }
    return controls;
}

// Decorations and flash controls, whatever header strips the package has. A corner whose file is
// missing keeps what it had; the extra controls are the package's. Returns how many extra
// controls the package declares but does not give.
int ReadCornerItems(const SkinDescription& description, const MemberFiles& files, SkinContent& skin)
{
    const PackageControls before = SplitControls(skin.items);
    QList<CornerItem> items;
    for (Corner corner : kCorners) {
        const QString name = DecorationMember(corner);
        if (files.Has(name)) {
            const QSize size = files.PictureSize(name);
            items.append({CornerItemKind::Decoration,
                          corner,
                          description.decorationOffsets[corner],
                          size.isValid() ? size : QSize(),
                          files.Path(name),
                          {},
                          false});
            continue;
        }
        for (const CornerItem& item : skin.items) {
            if (item.IsDecoration() && item.corner == corner) {
                items.append(item);
                break;
            }
        }
    }
    for (Corner corner : kCorners) {
        const QString name = CornerControlMember(corner);
        if (!files.Has(name)) {
            if (before.corner[corner])
                items.append(*before.corner[corner]);
            continue;
        }
        // A malformed value leaves offset and size as they were; without either, the movie is
        // placed as a new control is: at its stage size, centred on the corner.
        CornerItem control = description.cornerControls[corner].value_or(
            before.corner[corner].value_or(DefaultControlPlacement(corner, files.Stage(name))));
        control.kind = CornerItemKind::Control;
        control.corner = corner;
        control.file = files.Path(name);
        control.displayName.clear();
        control.fromGallery = false;
        items.append(control);
    }
    const QList<CornerItem> extra = OpenedExtraControls(description.extraControls, files);
    items.append(extra);
    skin.items = items;
    return std::max<int32_t>(0, description.declaredExtraControls - static_cast<int32_t>(extra.size()));
}

// The extraction folder was emptied before the package was unpacked: a corner the package does
// not fill may still name a file of an earlier open there. Such items are dropped; files
// elsewhere (the user's own) are kept.
void ForgetFilesGoneFrom(const QString& folder, SkinContent& skin)
{
    const auto gone = [&folder](const QString& path) {
        return path.startsWith(folder + '/') && !FileExists(path);
    };
    skin.items.removeIf([&gone](const CornerItem& item) { return gone(item.file); });
    if (gone(skin.thumbnailPath))
        skin.thumbnailPath.clear();
}

// What the description file says of colours, tab text and name.
void TakeDescription(const SkinDescription& description, SkinContent& skin)
{
    skin.mainColour = ColorOfNumbers(description.colour);
    skin.colourAsRead = ColourAsRead{description.colour, skin.mainColour};
    skin.whiteTabText = description.whiteTabText;
    skin.skinName = description.showName;
}

QString OutOfBoundsWarning(const SkinDescription& description, const QString& packagePath)
{
    if (description.outOfBounds <= 0)
        return {};
    return QCoreApplication::translate("SkinPackage",
                                       "皮肤包“%1”中有 %2 个装饰或控件的位置或大小超出范围（位置最多偏离 %3 "
                                       "像素，大小最多 %4 像素），已改为范围内最接近的值。")
        .arg(packagePath)
        .arg(description.outOfBounds)
        .arg(kMaxItemOffset)
        .arg(kMaxItemSide);
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
    QString error; // for the user; empty when the package can be used
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

// The members the skin takes as files: the decorations and the thumbnail (pictures handed to
// the pages and the viewer) and the flash controls (movies served to the stage).
QStringList MembersTakenAsFiles(const SkinDescription& description)
{
    QStringList names;
    for (Corner corner : kCorners)
        names << DecorationMember(corner) << CornerControlMember(corner);
    for (qsizetype k = 0; k < description.extraControls.size(); ++k)
        names << ExtraControlMember(static_cast<int>(k) + 1);
    names << QLatin1String(kThumbnailMember);
    return names;
}

// Writes those members (and the package's folder members, as folders) into the fresh extraction
// folder; the rest stays in memory. False when one cannot be written.
bool WriteMembersTakenAsFiles(const QList<UnzippedMember>& members, const MemberBytes& member,
                              const SkinDescription& description, const QString& folder)
{
    for (const UnzippedMember& unpacked : members) {
        if (unpacked.folder && !QDir().mkpath(folder + '/' + unpacked.name))
            return false;
    }
    for (const QString& name : MembersTakenAsFiles(description)) {
        const std::optional<QByteArray> bytes = member(name.toLatin1().constData());
        if (bytes && !WriteWhole(folder + '/' + name, *bytes))
            return false;
    }
    return true;
}

} // namespace

OpenResult OpenPackage(const QString& packagePath, SkinDocument& document)
{
    SkinContent skin = document.Content();
    OpenResult result = OpenPackage(packagePath, skin);
    if (result.ok)
        document.Load(std::move(skin));
    return result;
}

OpenResult OpenPackage(const QString& packagePath, SkinContent& skin)
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
    // The members are read into memory; only those the skin takes as files are written out.
    QList<UnzippedMember> members;
    if (!UnzipFileToMemory(packagePath, &members, &unpacked)) {
        EmptyFolder(folder, QString());
        result.error = UnpackProblem(packagePath, unpacked);
        return result;
    }
    for (const UnzippedMember& member : members)
        result.members.append(member.name);
    const MemberBytes memberBytes = MemoryMembers(members);
    const UnpackedReading reading = ReadUnpacked(memberBytes, packagePath);
    if (!reading.error.isEmpty()) {
        result.error = reading.error;
        return result;
    }
    if (!WriteMembersTakenAsFiles(members, memberBytes, reading.description, folder)) {
        EmptyFolder(folder, QString());
        result.error = UnpackProblem(packagePath, ZIP_WRITE);
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
        skin.stretchMode = description.tile != 0 ? StretchMode::Tile : StretchMode::Stretch;
        skin.stretchRegion = header.stretch;
    }
    result.controlsLeftOut = ReadCornerItems(description, MemberFiles{memberBytes, folder}, skin);

    result.headerPath = headPath;
    skin.picturePath = result.headerPath;
    // The header is decoded now: the skin's picture is the opened one from here on (null when it
    // cannot be decoded, which the header page then says).
    auto picture = std::make_shared<CSkinImage>();
    skin.picture = picture->LoadFromFile(result.headerPath) ? picture : nullptr;
    // The header is taken whole: cutting it again by the rule for new pictures would lose a pixel.
    if (const QSize headerSize = QImageReader(result.headerPath).size(); !headerSize.isEmpty())
        skin.crop = {0, 0, headerSize.width(), headerSize.height()};
    TakeDescription(description, skin);
    skin.thumbnailPath = folder + '/' + QLatin1String(kThumbnailMember);
    // The thumbnail is the opened one: a picture decoded for an earlier skin no longer applies.
    skin.thumbnailPicture = nullptr;
    ForgetFilesGoneFrom(folder, skin);
    // A thumbnail that cannot be decoded is no thumbnail: the next save cuts one from the header
    // rather than failing on it.
    if (!skin.thumbnailPath.isEmpty()) {
        auto thumbnail = std::make_shared<CSkinImage>();
        if (thumbnail->LoadFromFile(skin.thumbnailPath))
            skin.thumbnailPicture = thumbnail;
        else
            skin.thumbnailPath.clear();
    }
    result.description = description;
    result.warning = OutOfBoundsWarning(description, packagePath);
    result.ok = true;
    return result;
}

OpenResult OpenPackageInMemory(const QString& packagePath, SkinContent& skin, PackageContent& content)
{
    OpenResult result;
    content = {};
    uint32_t unpacked = ZIP_OK;
    if (!QFileInfo(packagePath).isFile() || !UnzipFileToMemory(packagePath, &content.members, &unpacked)) {
        result.error =
            QFileInfo(packagePath).isFile()
                ? UnpackProblem(packagePath, unpacked)
                : QCoreApplication::translate("SkinPackage", "找不到皮肤包“%1”。").arg(packagePath);
        content.error = result.error;
        return result;
    }
    for (const UnzippedMember& member : content.members)
        result.members.append(member.name);
    const MemberBytes memberBytes = MemoryMembers(content.members);
    UnpackedReading reading = ReadUnpacked(memberBytes, packagePath);
    content.error = result.error = reading.error;
    content.description = reading.description;
    content.header = reading.header;
    if (!reading.error.isEmpty())
        return result;
    content.ok = true;
    const SkinDescription& description = content.description;
    if (content.header.source == RebuiltHeader::Source::Strips) {
        skin.stretchMode = description.tile != 0 ? StretchMode::Tile : StretchMode::Stretch;
        skin.stretchRegion = content.header.stretch;
    }
    result.controlsLeftOut = ReadCornerItems(description, MemberFiles{memberBytes, {}}, skin);
    if (const QSize headerSize = HeaderSize(content); !headerSize.isEmpty())
        skin.crop = {0, 0, headerSize.width(), headerSize.height()};
    TakeDescription(description, skin);
    result.description = description;
    result.warning = OutOfBoundsWarning(description, packagePath);
    result.ok = true;
    return result;
}

std::optional<QByteArray> PackageMember(const PackageContent& content, const QString& name)
{
    return MemoryMembers(content.members)(name.toLatin1().constData());
}

QSize HeaderSize(const PackageContent& content)
{
    if (content.header.source == RebuiltHeader::Source::None)
        return {};
    return DeclaredSize(content.header.header, kHeaderFile);
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
