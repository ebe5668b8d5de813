// OpenPackage: package -> extraction folder -> project.
#include "imaging/ColorModel.h"
#include "skin/HeaderStrips.h"
#include "skin/PackageNames.h"
#include "skin/ProfileFile.h"
#include "skin/SkinDescription.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"

#include <QFileInfo>

namespace {

// The extra controls with their files, or none when a file is missing.
QList<FlashControl> OpenedExtraControls(QList<FlashControl> controls, const QString& folder)
{
    for (qsizetype k = 0; k < controls.size(); ++k) {
        const QString path = folder + '/' + ExtraControlMember(static_cast<int>(k) + 1);
        if (!FileExists(path))
            return {};
        controls[k].path = path;
    }
    return controls;
}

// Decorations and flash controls, whatever header strips the package has. A corner whose file is
// missing keeps what it had.
void ReadCornerItems(const SkinDescription& description, const QString& folder, SkinProject& project)
{
    for (int corner = 0; corner < kCornerCount; ++corner) {
        const QString path = folder + '/' + DecorationMember(corner);
        if (FileExists(path))
            project.decorations[corner] = {true, path, description.decorationOffsets[corner]};
    }
    for (int corner = 0; corner < kCornerCount; ++corner) {
        const QString path = folder + '/' + CornerControlMember(corner);
        if (!FileExists(path))
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
    const SkinDescription description = ReadDescription(conf);
    const RebuiltHeader header = RebuildHeader(folder);
    if (header.failed) {
        result.error = QStringLiteral("皮肤包“%1”中的顶部图片无法拼接。").arg(packagePath);
        return result;
    }
    // Tile and stretch region come only with all three strips.
    if (header.source == RebuiltHeader::Source::Strips) {
        project.tile = description.tile;
        project.stretchRegion = header.stretch;
    }
    ReadCornerItems(description, folder, project);

    result.headerPath = folder + '/' + QLatin1String(kHeaderFile);
    project.picturePath = result.headerPath;
    project.mainColor = ColorOfNumbers(description.colour);
    project.whiteTabText = description.whiteTabText;
    project.skinName = description.showName;
    project.thumbnailPath = folder + '/' + QLatin1String(kThumbnailMember);
    result.ok = true;
    return result;
}
