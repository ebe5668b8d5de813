// OpenPackage: package -> extraction folder -> project.
#include "imaging/ColorModel.h"
#include "platform/PackageLimits.h"
#include "skin/HeaderStrips.h"
#include "skin/PackageNames.h"
#include "skin/ProfileFile.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"

#include <QFileInfo>

namespace {

void ReadExtraControls(const ProfileFile& conf, const QString& folder, SkinProject& project)
{
    project.extraControlPaths.clear();
    project.extraControlCorners.clear();
    project.extraControlPositions.clear();
    project.extraControlSizes.clear();
    const int declared = conf.ReadInt(kKeySection, "swfcontrolnum", kProfileCountBuffer);
    // The first ones of a package that declares more than the wizard can show are kept.
    const int count = std::clamp(declared, 0, kMaxOpenedExtraControls);
    auto abandon = [&project] {
        project.extraControlCount = 0;
        project.extraControlPaths.clear();
        project.extraControlCorners.clear();
        project.extraControlPositions.clear();
        project.extraControlSizes.clear();
    };
    for (int k = 1; k <= count; ++k) {
        const QString path = folder + '/' + ExtraControlMember(k);
        if (!FileExists(path))
            return abandon();
        const QByteArray value =
            conf.ReadBytes(kKeySection, "swfcontrol" + QByteArray::number(k), kProfileTextBuffer);
        QPoint position;
        QSize size(0, 0);
        int corner = 0;
        if (!value.isEmpty()) {
            const QList<int> parts = SplitProfileValue(value);
            // The file numbers corners 1..4; anything else would index past the four corners.
            if (parts.size() != 5 || parts[4] < 1 || parts[4] > kCornerCount)
                return abandon();
            position = {parts[0], parts[1]};
            size = {parts[2], parts[3]};
            corner = parts[4] - 1;
        }
        project.extraControlPaths.append(path);
        project.extraControlCorners.append(corner);
        project.extraControlPositions.append(position);
        project.extraControlSizes.append(size);
    }
    project.extraControlCount = count;
}

// Tile, stretch region, decorations and flash controls: read only when the package has all three strips.
void ReadLayout(const ProfileFile& conf, const QString& folder, const SkinRect& stretch, SkinProject& project)
{
    project.tile = conf.ReadInt(kConfSection, "tile", kProfileShortBuffer);
    project.stretchRegion = stretch;
    for (int corner = 0; corner < kCornerCount; ++corner) {
        const QString path = folder + '/' + DecorationMember(corner);
        if (!FileExists(path))
            continue;
        const QByteArray name = kCornerKeyNames[corner];
        project.decorationPresent[corner] = 1;
        project.decorationPath[corner] = path;
        project.decorationOffset[corner] = {conf.ReadInt(kConfSection, name + 'x', kProfileShortBuffer),
                                            conf.ReadInt(kConfSection, name + 'y', kProfileShortBuffer)};
    }
    for (int corner = 0; corner < kCornerCount; ++corner) {
        const QString path = folder + '/' + CornerControlMember(corner);
        if (!FileExists(path))
            continue;
        project.cornerControlPresent[corner] = 1;
        project.cornerControlPath[corner] = path;
        const QByteArray value =
            conf.ReadBytes(kKeySection, QByteArray("swf") + kCornerKeyNames[corner], kProfileTextBuffer);
        const QList<int> parts = SplitProfileValue(value);
        if (parts.size() == 4) {
            project.cornerControlPosition[corner] = {parts[0], parts[1]};
            project.cornerControlSize[corner] = {parts[2], parts[3]};
        }
    }
    ReadExtraControls(conf, folder, project);
}

QString UnpackProblem(const QString& packagePath, uint32_t code)
{
    if (code == ZIP_LIMIT)
        return QStringLiteral("皮肤包“%1”超出了皮肤包的大小限制（最多 %2 个文件，每个文件最多 %3 MB，"
                              "总共最多 %4 MB），不会解压。")
            .arg(packagePath)
            .arg(kMaxPackageMembers)
            .arg(kMaxMemberBytes >> 20)
            .arg(kMaxPackageBytes >> 20);
    if (code == ZIP_OVERLAP)
        return QStringLiteral("皮肤包“%1”中有几个文件共用同一段数据，不是有效的皮肤包，不会解压。")
            .arg(packagePath);
    return QStringLiteral("无法解压皮肤包“%1”，文件可能已损坏。").arg(packagePath);
}

} // namespace

OpenResult OpenPackage(const QString& packagePath, SkinProject& project)
{
    OpenResult result;
    const QString fileName = FileNamePart(packagePath);
    // The extraction folder is named after the file; "." or ".." would empty a folder above it.
    if (fileName.isEmpty() || fileName == "." || fileName == ".." || !QFileInfo(packagePath).isFile()) {
        result.error = QStringLiteral("找不到皮肤包“%1”。").arg(packagePath);
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

    const QString confPath = folder + '/' + QLatin1String(kConfMember);
    const QString thumbnailPath = folder + '/' + QLatin1String(kThumbnailMember);
    if (QFileInfo(confPath).size() > kMaxDescriptionBytes || PictureTooLarge(thumbnailPath)) {
        EmptyFolder(folder, QString());
        result.error = QStringLiteral("皮肤包“%1”中的描述文件或缩略图过大（描述文件最多 %2 KB，缩略图最多 %3 "
                                      "万像素），不是有效的皮肤包。")
                           .arg(packagePath)
                           .arg(kMaxDescriptionBytes >> 10)
                           .arg(kMaxPackagePicturePixels / 10000);
        return result;
    }
    ProfileFile conf;
    conf.Load(confPath);
    const RebuiltHeader header = RebuildHeader(folder);
    if (header.tooLarge) {
        result.error = QStringLiteral("皮肤包“%1”中的顶部图片过大（最多 %2 万像素）。")
                           .arg(packagePath)
                           .arg(kMaxPackagePicturePixels / 10000);
        return result;
    }
    if (header.failed) {
        result.error = QStringLiteral("皮肤包“%1”中的顶部图片无法拼接。").arg(packagePath);
        return result;
    }
    if (header.source == RebuiltHeader::Source::Strips)
        ReadLayout(conf, folder, header.stretch, project);

    result.headerPath = folder + '/' + QLatin1String(kHeaderFile);
    project.picturePath = result.headerPath;
    const int hue = conf.ReadInt(kConfSection, "hue", kProfileShortBuffer);
    const int light = conf.ReadInt(kConfSection, "light", kProfileShortBuffer);
    const int sat = conf.ReadInt(kConfSection, "sat", kProfileShortBuffer);
    project.mainColor = HslToRgb(hue * (1.0 / 240), light * 0.01, sat * 0.01);
    project.whiteTabText = conf.ReadInt(kConfSection, "white", kProfileShortBuffer) != 0;
    project.skinName = conf.ReadString(kConfSection, "showname", kProfileTextBuffer);
    project.thumbnailPath = thumbnailPath;
    result.ok = true;
    return result;
}
