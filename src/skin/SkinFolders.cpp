#include "skin/SkinFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

QString TempFolder()
{
    QString folder = QDir::tempPath();
    while (folder.size() > 1 && (folder.endsWith('/') || folder.endsWith('\\')))
        folder.chop(1);
    return folder;
}

QString BuildFolder()
{
    return TempFolder() + "/VadiSkinMaker";
}

QString ExtractionRoot()
{
    return TempFolder() + "/VadiTempSkinPack";
}

QString ExtractionFolder(const QString& packagePath)
{
    return ExtractionRoot() + '/' + FileNamePart(packagePath);
}

QString FileNamePart(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    return path.mid(cut + 1);
}

bool EmptyFolder(const QString& folder, const QString& suffix)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !info.isReadable())
        return false;
    QDir dir(folder);
    // Plain files only: sub-folders are left alone, so the folder then cannot be removed.
    const QFileInfoList files =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& file : files) {
        if (!suffix.isEmpty() && !file.fileName().endsWith(suffix))
            continue;
        if (!QFile::remove(file.filePath()))
            return false;
    }
    return QDir().rmdir(folder);
}

// The first component of a path is its root ("" for "/x" or "C:" for "C:\x"), which is never
// created; every later prefix is.
static bool IsRootComponent(const QString& component)
{
    return component.isEmpty() || (component.size() == 2 && component[1] == ':');
}

bool MakeFolders(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.isDir())
        return true;
    if (info.exists() || info.isSymLink())
        QFile::remove(path);

    QString prefix;
    const QStringList parts = QString(path).replace('\\', '/').split('/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            prefix += '/';
        prefix += parts[i];
        if (parts[i].isEmpty() || (i == 0 && IsRootComponent(parts[i])))
            continue;
        if (QFileInfo(prefix).isDir())
            continue;
        if (!QDir().mkdir(prefix))
            return false;
    }
    return true;
}

bool FileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}
