// BuildPackage: project -> build folder -> package.
#include "imaging/CSkinImage.h"
#include "imaging/ColorModel.h"
#include "skin/GbkText.h"
#include "skin/HeaderStrips.h"
#include "skin/PackageNames.h"
#include "skin/ProfileFile.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <filesystem>
#include <system_error>

QString CheckSkinName(const QString& name)
{
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("皮肤名称不能包含控制字符（如换行）。");
    }
    QByteArray bytes;
    if (!EncodeGbk(name, bytes)) {
        QString bad;
        for (qsizetype i = 0; i < name.size(); ++i) {
            const qsizetype width = name[i].isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
            QByteArray ignored;
            if (!EncodeGbk(name.mid(i, width), ignored))
                bad += name.mid(i, width);
            i += width - 1;
        }
        return QStringLiteral("皮肤名称中的字符“%1”无法保存，请换用其他字符。").arg(bad);
    }
    if (bytes.size() > kProfileTextBuffer - 1)
        return QStringLiteral("皮肤名称太长，请缩短后再保存。");
    return {};
}

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

// A name beside target that nothing uses yet.
QString TemporarySibling(const QString& target)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = QStringLiteral("%1.%2.part")
                                      .arg(target)
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

BuildResult Failure(const QString& message)
{
    return {false, message};
}

} // namespace

BuildResult BuildPackage(const SkinProject& project, const QString& packagePath)
{
    if (project.picture == nullptr || !project.picture->HasPicture())
        return Failure(QStringLiteral("没有可用的图片，请先选择图片。"));
    const SkinRect& crop = project.crop;
    if (crop.Width() <= 0 || crop.Height() <= 0)
        return Failure(QStringLiteral("图片的裁剪区域为空。"));
    if (const QString nameError = CheckSkinName(project.skinName); !nameError.isEmpty())
        return Failure(nameError);
    const QString nameKey = PackageNameKey(packagePath);
    QByteArray ignored;
    if (!EncodeGbk(nameKey, ignored) || nameKey.contains('\r') || nameKey.contains('\n'))
        return Failure(
            QStringLiteral("皮肤包的文件名%1含有无法保存的字符，请换一个文件名。").arg(Quoted(nameKey)));
    const int extraCount = std::max(0, project.extraControlCount);
    if (project.extraControlPaths.size() < extraCount || project.extraControlCorners.size() < extraCount ||
        project.extraControlPositions.size() < extraCount || project.extraControlSizes.size() < extraCount)
        return Failure(QStringLiteral("附加控件的数据不完整。"));
    // A thumbnail path without a decoded picture (a page that has not loaded it yet) is decoded here.
    CSkinImage loadedThumbnail;
    CSkinImage* chosen = nullptr;
    if (!project.thumbnailPath.isEmpty()) {
        chosen = project.thumbnailPicture;
        if (chosen == nullptr || !chosen->HasPicture()) {
            if (!loadedThumbnail.LoadFromFile(project.thumbnailPath))
                return Failure(QStringLiteral("无法加载缩略图%1。").arg(Quoted(project.thumbnailPath)));
            chosen = &loadedThumbnail;
        }
    }

    const QString folder = BuildFolder();
    if (const FolderResult prepared = PrepareBuildFolder(); !prepared)
        return Failure(prepared.error);
    QStringList members;

    QString failedStrip;
    if (!CutHeaderStrips(*project.picture, crop, project.stretchRegion, folder, members, &failedStrip))
        return Failure(QStringLiteral("无法生成皮肤图片%1。").arg(Quoted(failedStrip)));

    const QString thumbnail = folder + '/' + QLatin1String(kThumbnailMember);
    if (!CutThumbnail(*project.picture, crop, chosen, thumbnail))
        return Failure(QStringLiteral("无法生成缩略图。"));
    members.append(thumbnail);

    const QString confPath = folder + '/' + QLatin1String(kConfMember);
    members.append(confPath);
    ProfileFile conf;
    if (!conf.Load(confPath)) {
        RemoveFiles(members);
        return Failure(QStringLiteral("无法读取临时文件%1。").arg(Quoted(confPath)));
    }
    const SkinColorNumbers colour = DescribeColor(project.mainColor);
    conf.WriteString(kConfSection, "name", nameKey);
    conf.WriteBytes(kConfSection, "hue", QByteArray::number(colour.hue));
    conf.WriteBytes(kConfSection, "sat", QByteArray::number(colour.sat));
    conf.WriteBytes(kConfSection, "light", QByteArray::number(colour.light));
    conf.WriteBytes(kConfSection, "white", project.whiteTabText ? "1" : "0");

    QStringList copyFailures;
    auto copyMember = [&](const QString& source, const QString& memberName) {
        const QString target = folder + '/' + memberName;
        if (!CopyReplacing(source, target))
            copyFailures.append(source);
        members.append(target);
    };

    for (int corner = 0; corner < kCornerCount; ++corner) {
        if (!project.decorationPresent[corner])
            continue;
        const QByteArray name = kCornerKeyNames[corner];
        conf.WriteBytes(kConfSection, name + 'x', QByteArray::number(project.decorationOffset[corner].x()));
        conf.WriteBytes(kConfSection, name + 'y', QByteArray::number(project.decorationOffset[corner].y()));
        copyMember(project.decorationPath[corner], DecorationMember(corner));
    }
    for (int corner = 0; corner < kCornerCount; ++corner) {
        if (!project.cornerControlPresent[corner])
            continue;
        const QPoint position = project.cornerControlPosition[corner];
        const QSize size = project.cornerControlSize[corner];
        conf.WriteBytes(kKeySection, QByteArray("swf") + kCornerKeyNames[corner],
                        QStringLiteral("%1,%2,%3,%4")
                            .arg(position.x())
                            .arg(position.y())
                            .arg(size.width())
                            .arg(size.height())
                            .toLatin1());
        copyMember(project.cornerControlPath[corner], CornerControlMember(corner));
    }
    if (extraCount > 0) {
        conf.WriteBytes(kKeySection, "swfcontrolnum", QByteArray::number(extraCount));
        for (int k = 1; k <= extraCount; ++k) {
            const QPoint position = project.extraControlPositions[k - 1];
            const QSize size = project.extraControlSizes[k - 1];
            conf.WriteBytes(kKeySection, "swfcontrol" + QByteArray::number(k),
                            QStringLiteral("%1,%2,%3,%4,%5")
                                .arg(position.x())
                                .arg(position.y())
                                .arg(size.width())
                                .arg(size.height())
                                .arg(project.extraControlCorners[k - 1] + 1)
                                .toLatin1());
            copyMember(project.extraControlPaths[k - 1], ExtraControlMember(k));
        }
    }
    if (project.tile != 0)
        conf.WriteBytes(kConfSection, "tile", "1");
    conf.WriteString(kConfSection, "showname", project.skinName);
    conf.WriteBytes(kConfSection, "subjectwriter", "0");
    conf.WriteBytes(kConfSection, "subjectinfo", "0");
    conf.WriteBytes(kConfSection, "id", "0");

    if (!copyFailures.isEmpty()) {
        RemoveFiles(members);
        return Failure(QStringLiteral("无法读取文件%1。").arg(Quoted(copyFailures.first())));
    }
    if (!conf.Save(confPath)) {
        RemoveFiles(members);
        return Failure(QStringLiteral("无法写入皮肤描述文件%1。").arg(Quoted(confPath)));
    }

    const QString partial = TemporarySibling(packagePath);
    const bool packed = !partial.isEmpty() && ZipPackFiles(members, partial);
    RemoveFiles(members);
    if (!packed) {
        if (!partial.isEmpty())
            QFile::remove(partial);
        return Failure(
            QStringLiteral("无法写入皮肤包%1，请检查文件夹是否存在且可写。").arg(Quoted(packagePath)));
    }
    std::error_code error;
    std::filesystem::rename(FsPath(partial), FsPath(packagePath), error);
    if (error) {
        QFile::remove(partial);
        return Failure(QStringLiteral("无法替换%1。").arg(Quoted(packagePath)));
    }
    return {true, {}};
}
