#include "flash/core/FlashCache.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool MakeWritableFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        return false;
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

} // namespace

QString ChooseFlashCacheFolder(const QString& programFolder, const QString& userCacheFolder)
{
    for (const QString& base : {programFolder, userCacheFolder}) {
        if (base.isEmpty())
            continue;
        const QString folder = QDir(base).filePath(QStringLiteral("VDSkinFlash"));
        if (MakeWritableFolder(folder))
            return folder + QLatin1Char('/');
    }
    return {};
}

QString FlashCacheFolder()
{
    return ChooseFlashCacheFolder(QCoreApplication::applicationDirPath(),
                                  QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
}

QString FlashCacheFileName(const QString& flashId, const QString& url)
{
    const QByteArray hash =
        QCryptographicHash::hash(url.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return flashId + QLatin1Char('-') + QString::fromLatin1(hash) + QStringLiteral(".swf");
}
