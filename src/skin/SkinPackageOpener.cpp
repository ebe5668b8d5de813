// OpenPackage: package -> extraction folder -> project.
#include "imaging/ColorModel.h"
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
    EmptyFolder(folder, QString());
    MakeFolders(folder);
    if (!UnzipAll(packagePath, folder, &result.members, true)) {
        EmptyFolder(folder, QString());
        result.error = QStringLiteral("无法解压皮肤包“%1”，文件可能已损坏。").arg(packagePath);
        return result;
    }

    ProfileFile conf;
    conf.Load(folder + '/' + QLatin1String(kConfMember));
    const RebuiltHeader header = RebuildHeader(folder);
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
    project.thumbnailPath = folder + '/' + QLatin1String(kThumbnailMember);
    result.ok = true;
    return result;
}
