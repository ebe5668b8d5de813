// BuildPackage: skin -> build folder -> package.
#include "imaging/CSkinImage.h"
#include "skin/GbkText.h"
#include "skin/HeaderStrips.h"
#include "skin/PackageNames.h"
#include "skin/ProfileFile.h"
#include "skin/SkinDescription.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <filesystem>
#include <system_error>

QString PackageNameKey(const QString& packagePath)
{
    const QString fileName = FileNamePart(packagePath);
    return fileName.left(std::max<qsizetype>(0, fileName.size() - 4));
}

namespace {

QString Quoted(const QString& text)
{
    return QStringLiteral("“%1”").arg(text);
}

// Replaces target with a byte copy of source. A source that already is the target is kept.
bool CopyReplacing(const QString& source, const QString& target)
{
    const QString canonicalSource = QFileInfo(source).canonicalFilePath();
    if (!canonicalSource.isEmpty() && canonicalSource == QFileInfo(target).canonicalFilePath())
        return true;
    QFile::remove(target);
    return QFile::copy(source, target);
}

void RemoveFiles(const QStringList& files)
{
    for (const QString& file : files)
        QFile::remove(file);
}

// A short name beside target that nothing uses yet. It does not grow with target's name, so a
// package name as long as the file system allows still has room for it.
QString TemporarySibling(const QString& target)
{
    const qsizetype cut = std::max(target.lastIndexOf('/'), target.lastIndexOf('\\'));
    const QString folder = target.left(cut + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = QStringLiteral("%1.vsf%2.part")
                                      .arg(folder)
                                      .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
    return {};
}

std::filesystem::path FsPath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// The files a build writes into the build folder, in package order. They are removed when the
// build ends, whichever way it ends; the folder itself stays.
class BuildMembers {
public:
    BuildMembers() = default;
    BuildMembers(const BuildMembers&) = delete;
    BuildMembers& operator=(const BuildMembers&) = delete;
    ~BuildMembers() { RemoveFiles(m_files); }

    void Add(const QString& file) { m_files.append(file); }
    QStringList& Files() { return m_files; }

private:
    QStringList m_files;
};

// Empty when the skin can be built into packagePath; otherwise the message to show.
QString CheckSkin(const SkinContent& skin, const QString& packagePath)
{
    if (skin.picture == nullptr || !skin.picture->HasPicture())
        return QCoreApplication::translate("SkinPackage", "没有可用的图片，请先选择图片。");
    if (skin.crop.IsEmpty())
        return QCoreApplication::translate("SkinPackage", "图片的裁剪区域为空。");
    if (const QString nameError = CheckSkinName(skin.skinName); !nameError.isEmpty())
        return nameError;
    const QString nameKey = PackageNameKey(packagePath);
    QByteArray ignored;
    if (!EncodeGbk(nameKey, ignored) || nameKey.contains('\r') || nameKey.contains('\n'))
        return QCoreApplication::translate("SkinPackage",
                                           "皮肤包的文件名%1含有无法保存的字符，请换一个文件名。")
            .arg(Quoted(nameKey));
    for (const CornerItem& item : skin.items) {
        if (!IsValidCorner(item.corner))
            return QCoreApplication::translate("SkinPackage", "附加控件的位置数据无效。");
    }
    return {};
}

// The header strips and the thumbnail. A thumbnail path without a decoded picture (a page that
// has not loaded it yet) is decoded here.
QString RenderPictures(const SkinContent& skin, const QString& folder, BuildMembers& members)
{
    CSkinImage loadedThumbnail;
    CSkinImage* chosen = nullptr;
    if (!skin.thumbnailPath.isEmpty()) {
        chosen = skin.thumbnailPicture.get();
        if (chosen == nullptr || !chosen->HasPicture()) {
            if (!loadedThumbnail.LoadFromFile(skin.thumbnailPath))
                return QCoreApplication::translate("SkinPackage", "无法加载缩略图%1。")
                    .arg(Quoted(skin.thumbnailPath));
            chosen = &loadedThumbnail;
        }
    }
    if (QString tooLarge = CheckStripSizes(PlanStrips(skin.crop, skin.stretchRegion)); !tooLarge.isEmpty())
        return tooLarge;
    QString failedStrip;
    if (!CutHeaderStrips(*skin.picture, skin.crop, skin.stretchRegion, folder, members.Files(), &failedStrip))
        return QCoreApplication::translate("SkinPackage", "无法生成皮肤图片%1。").arg(Quoted(failedStrip));
    const QString thumbnail = folder + '/' + QLatin1String(kThumbnailMember);
    if (!CutThumbnail(*skin.picture, skin.crop, chosen, thumbnail))
        return QCoreApplication::translate("SkinPackage", "无法生成缩略图。");
    members.Add(thumbnail);
    return {};
}

// conf.ini; one left in the build folder by an earlier build is updated.
QString WriteDescriptionFile(const SkinContent& skin, const QString& packagePath, const QString& folder,
                             BuildMembers& members)
{
    const QString confPath = folder + '/' + QLatin1String(kConfMember);
    members.Add(confPath);
    ProfileFile conf;
    if (!conf.Load(confPath))
        return QCoreApplication::translate("SkinPackage", "无法读取临时文件%1。").arg(Quoted(confPath));
    WriteDescription(skin, PackageNameKey(packagePath), conf);
    if (!conf.Save(confPath))
        return QCoreApplication::translate("SkinPackage", "无法写入皮肤描述文件%1。").arg(Quoted(confPath));
    return {};
}

// Byte copies of the decorations, the corner controls and the extra controls, in that order.
QString CopyMembers(const SkinContent& skin, const QString& folder, BuildMembers& members)
{
    QStringList copyFailures;
    auto copyMember = [&](const QString& source, const QString& memberName) {
        const QString target = folder + '/' + memberName;
        if (!CopyReplacing(source, target))
            copyFailures.append(source);
        members.Add(target);
    };
    for (Corner corner : kCorners) {
        for (const CornerItem& item : skin.items) {
            if (item.IsDecoration() && item.corner == corner) {
                copyMember(item.file, DecorationMember(corner));
                break;
            }
        }
    }
    const PackageControls controls = SplitControls(skin.items);
    for (Corner corner : kCorners) {
        if (controls.corner[corner])
            copyMember(controls.corner[corner]->file, CornerControlMember(corner));
    }
    for (qsizetype k = 0; k < controls.extra.size(); ++k)
        copyMember(controls.extra[k].file, ExtraControlMember(static_cast<int>(k) + 1));
    if (!copyFailures.isEmpty())
        return QCoreApplication::translate("SkinPackage", "无法读取文件%1。")
            .arg(Quoted(copyFailures.first()));
    return {};
}

// Zips the members into a temporary file beside packagePath and renames it over packagePath.
QString PackAndReplace(const QStringList& members, const QString& packagePath)
{
    const QString partial = TemporarySibling(packagePath);
    if (partial.isEmpty() || !ZipPackFiles(members, partial)) {
        if (!partial.isEmpty())
            QFile::remove(partial);
        return QCoreApplication::translate("SkinPackage", "无法写入皮肤包%1，请检查文件夹是否存在且可写。")
            .arg(Quoted(packagePath));
    }
    // A replaced package keeps who may read and write it.
    if (QFileInfo::exists(packagePath))
        QFile::setPermissions(partial, QFile::permissions(packagePath));
    std::error_code error;
    std::filesystem::rename(FsPath(partial), FsPath(packagePath), error);
    if (error) {
        QFile::remove(partial);
        return QCoreApplication::translate("SkinPackage", "无法替换%1。").arg(Quoted(packagePath));
    }
    return {};
}

} // namespace

BuildResult BuildPackage(const SkinDocument& document, const QString& packagePath)
{
    return BuildPackage(document.Content(), packagePath);
}

BuildResult BuildPackage(const SkinContent& skin, const QString& packagePath)
{
    if (QString error = CheckSkin(skin, packagePath); !error.isEmpty())
        return {false, error};
    if (const FolderResult prepared = PrepareBuildFolder(); !prepared)
        return {false, prepared.error};
    const QString folder = BuildFolder();
    BuildMembers members;
    if (QString error = RenderPictures(skin, folder, members); !error.isEmpty())
        return {false, error};
    if (QString error = WriteDescriptionFile(skin, packagePath, folder, members); !error.isEmpty())
        return {false, error};
    if (QString error = CopyMembers(skin, folder, members); !error.isEmpty())
        return {false, error};
    if (QString error = PackAndReplace(members.Files(), packagePath); !error.isEmpty())
        return {false, error};
    return {true, {}};
}
