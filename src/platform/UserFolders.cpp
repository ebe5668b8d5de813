#include "platform/UserFolders.h"

#include <QDir>
#include <QFileInfo>

bool AdoptOldFolder(const QString& from, const QString& to)
{
    const QFileInfo target(to);
    if (target.exists() || target.isSymLink())
        return target.isDir() && !target.isSymLink();
    const QFileInfo old(from);
    if (!old.isDir() || old.isSymLink())
        return false;
    if (!QDir().mkpath(target.absolutePath()))
        return false;
    return QDir().rename(from, to);
}
