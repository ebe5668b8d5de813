#include "skin/SkinFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// What a path names, seen without following a link at its last component.
struct PathEntry {
    enum class Kind { Missing, Folder, Link, Other } kind = Kind::Missing;
    bool ownedByUser = false;   // owned by the user running the program
    bool ownedBySystem = false; // owned by root
};

#ifdef Q_OS_WIN
// The per-user temporary folder is private already; only links are judged here.
PathEntry Inspect(const QString& path)
{
    const QFileInfo info(path);
    PathEntry entry;
    entry.ownedByUser = true;
    if (info.isSymLink())
        entry.kind = PathEntry::Kind::Link;
    else if (info.isDir())
        entry.kind = PathEntry::Kind::Folder;
    else if (info.exists())
        entry.kind = PathEntry::Kind::Other;
    return entry;
}
#else
PathEntry Inspect(const QString& path)
{
    PathEntry entry;
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return entry;
    entry.ownedByUser = status.st_uid == ::geteuid();
    entry.ownedBySystem = status.st_uid == 0;
    if (S_ISLNK(status.st_mode))
        entry.kind = PathEntry::Kind::Link;
    else if (S_ISDIR(status.st_mode))
        entry.kind = PathEntry::Kind::Folder;
    else
        entry.kind = PathEntry::Kind::Other;
    return entry;
}
#endif

QString Quoted(const QString& path)
{
    return QStringLiteral("“%1”").arg(QDir::toNativeSeparators(path));
}

FolderResult Done()
{
    return {true, {}};
}

FolderResult Refused(const QString& message)
{
    return {false, message};
}

FolderResult LinkRefused(const QString& path)
{
    return Refused(
        QCoreApplication::translate("SkinFolders", "文件夹%1是一个符号链接，为安全起见不会使用它。")
            .arg(Quoted(path)));
}

FolderResult ForeignRefused(const QString& path)
{
    return Refused(QCoreApplication::translate("SkinFolders", "文件夹%1属于其他用户，为安全起见不会使用它。")
                       .arg(Quoted(path)));
}

FolderResult CannotCreate(const QString& path)
{
    return Refused(QCoreApplication::translate("SkinFolders", "无法创建文件夹%1。").arg(Quoted(path)));
}

// The first component of a path is its root ("" for "/x" or "C:" for "C:\x"), which is never
// created; every later prefix is.
bool IsRootComponent(const QString& component)
{
    return component.isEmpty() || (component.size() == 2 && component[1] == ':');
}

} // namespace

QString TempFolder()
{
    QString folder = QDir::tempPath();
    while (folder.size() > 1 && (folder.endsWith('/') || folder.endsWith('\\')))
        folder.chop(1);
    return folder;
}

QString WorkingBase()
{
#ifdef Q_OS_WIN
    return TempFolder();
#else
    return TempFolder() + QStringLiteral("/skinmaker-") + QString::number(::geteuid());
#endif
}

QString BuildFolder()
{
    return WorkingBase() + "/VadiSkinMaker";
}

QString ExtractionRoot()
{
    return WorkingBase() + "/VadiTempSkinPack";
}

QString ExtractionFolder(const QString& packagePath)
{
    return ExtractionRoot() + '/' + FileNamePart(packagePath);
}

QString TryFolder()
{
    return WorkingBase() + "/VadiTrySkin";
}

QString TryPackageName(const QString& skinName)
{
    // cmd expands "%...%" (and "!...!") again inside the command it is given, "^" escapes, and a
    // fullwidth quote becomes a straight one under a non-Chinese code page.
    const auto unsafe = [](QChar c) {
        return c == '%' || c == '^' || c == '!' || c == '"' || c == QChar(0xFF02) || c.unicode() < 0x20 ||
               c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
    };
    if (std::none_of(skinName.cbegin(), skinName.cend(), unsafe))
        return skinName;
    QString name = skinName;
    for (QChar& c : name) {
        if (!c.isLetterOrNumber() && c != '-' && c != '_')
            c = '_';
    }
    return name;
}

QString TryPackagePath(const QString& skinName)
{
    return TryFolder() + '/' + TryPackageName(skinName) + QStringLiteral(".vsf");
}

QString FileNamePart(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    return path.mid(cut + 1);
}

FolderResult PrepareWorkingBase()
{
    const QString base = WorkingBase();
#ifdef Q_OS_WIN
    return MakeFolders(base);
#else
    const QByteArray name = QFile::encodeName(base);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return CannotCreate(base);
    // Opened without following a link, then judged by what was opened: nothing can be swapped
    // in between.
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (Inspect(base).kind == PathEntry::Kind::Link)
            return LinkRefused(base);
        return Refused(QCoreApplication::translate("SkinFolders", "%1不是可用的文件夹。").arg(Quoted(base)));
    }
    struct stat status {};
    FolderResult result = Done();
    if (::fstat(fd, &status) != 0 || !S_ISDIR(status.st_mode))
        result =
            Refused(QCoreApplication::translate("SkinFolders", "%1不是可用的文件夹。").arg(Quoted(base)));
    else if (status.st_uid != ::geteuid())
        result = ForeignRefused(base);
    else if ((status.st_mode & 077) != 0 && ::fchmod(fd, 0700) != 0)
        result = Refused(
            QCoreApplication::translate("SkinFolders", "无法把文件夹%1设为仅自己可用。").arg(Quoted(base)));
    ::close(fd);
    return result;
#endif
}

FolderResult PrepareBuildFolder()
{
    if (FolderResult base = PrepareWorkingBase(); !base)
        return base;
    return MakeFolders(BuildFolder());
}

namespace {

// The user's own folder with its files removed (sub-folders stay), or made anew; a link or another
// user's folder at that name is refused.
FolderResult RenewOwnFolder(const QString& folder)
{
    const PathEntry entry = Inspect(folder);
    if (entry.kind == PathEntry::Kind::Link)
        return LinkRefused(folder);
    if (entry.kind == PathEntry::Kind::Folder && !entry.ownedByUser)
        return ForeignRefused(folder);
    if (entry.kind == PathEntry::Kind::Folder)
        EmptyFolder(folder, QString());
    return MakeFolders(folder);
}

} // namespace

FolderResult PrepareTryFolder()
{
    if (FolderResult base = PrepareWorkingBase(); !base)
        return base;
    // The package of an earlier Try now goes: the player has read it by now.
    return RenewOwnFolder(TryFolder());
}

FolderResult PrepareExtractionFolder(const QString& packagePath)
{
    if (FolderResult base = PrepareWorkingBase(); !base)
        return base;
    if (FolderResult root = MakeFolders(ExtractionRoot()); !root)
        return root;
    // Files of an earlier open go; a sub-folder an earlier package brought may stay.
    return RenewOwnFolder(ExtractionFolder(packagePath));
}

FolderResult EmptyFolder(const QString& folder, const QString& suffix)
{
    const PathEntry entry = Inspect(folder);
    if (!folder.isEmpty() && entry.kind == PathEntry::Kind::Link)
        return LinkRefused(folder);
    if (entry.kind == PathEntry::Kind::Folder && !entry.ownedByUser)
        return ForeignRefused(folder);
    if (folder.isEmpty() || entry.kind != PathEntry::Kind::Folder || !QFileInfo(folder).isReadable())
        return Refused(QCoreApplication::translate("SkinFolders", "无法读取文件夹%1。").arg(Quoted(folder)));
    QDir dir(folder);
    // Plain files only: sub-folders are left alone, so the folder then cannot be removed. A link
    // among the files is removed itself; what it points to is not touched.
    const QFileInfoList files =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& file : files) {
        if (!suffix.isEmpty() && !file.fileName().endsWith(suffix))
            continue;
        if (!QFile::remove(file.filePath()))
            return Refused(
                QCoreApplication::translate("SkinFolders", "无法删除文件%1。").arg(Quoted(file.filePath())));
    }
    if (!QDir().rmdir(folder))
        return Refused(QCoreApplication::translate("SkinFolders", "无法删除文件夹%1。").arg(Quoted(folder)));
    return Done();
}

FolderResult MakeFolders(const QString& path)
{
    if (path.isEmpty())
        return CannotCreate(path);
    const PathEntry target = Inspect(path);
    if (target.kind == PathEntry::Kind::Link)
        return LinkRefused(path);
    if (target.kind == PathEntry::Kind::Folder)
        return target.ownedByUser ? Done() : ForeignRefused(path);
    if (target.kind == PathEntry::Kind::Other)
        QFile::remove(path);

    QString prefix;
    const QStringList parts = QString(path).replace('\\', '/').split('/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            prefix += '/';
        prefix += parts[i];
        if (parts[i].isEmpty() || (i == 0 && IsRootComponent(parts[i])))
            continue;
        const PathEntry entry = Inspect(prefix);
        // Folders and links on the way are the user's own or the system's; anyone else's could
        // send the new folders somewhere the user never chose.
        if (entry.kind != PathEntry::Kind::Missing && !entry.ownedByUser && !entry.ownedBySystem)
            return entry.kind == PathEntry::Kind::Link ? LinkRefused(prefix) : ForeignRefused(prefix);
        if (entry.kind == PathEntry::Kind::Missing) {
            if (!QDir().mkdir(prefix))
                return CannotCreate(prefix);
        } else if (!QFileInfo(prefix).isDir()) {
            return CannotCreate(path);
        }
    }
    return Done();
}

FolderResult RemoveFolderTree(const QString& folder)
{
    const PathEntry entry = Inspect(folder);
    if (entry.kind == PathEntry::Kind::Missing)
        return Done();
    if (entry.kind == PathEntry::Kind::Link)
        return LinkRefused(folder);
    if (entry.kind != PathEntry::Kind::Folder || !entry.ownedByUser)
        return ForeignRefused(folder);
    if (!QDir(folder).removeRecursively())
        return Refused(QCoreApplication::translate("SkinFolders", "无法删除文件夹%1。").arg(Quoted(folder)));
    return Done();
}

bool FileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}
