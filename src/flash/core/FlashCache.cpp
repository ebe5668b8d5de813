#include "flash/core/FlashCache.h"

#include "flash/core/SwfHeader.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool MakeWritableFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        return false;
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

// A cached control is a movie the gallery could download: never more than this.
constexpr qint64 kMaxLegacyControlBytes = 32 << 20;

} // namespace

QString ChooseFlashCacheFolder(const QString& preferred, const QString& fallback)
{
    for (const QString& base : {preferred, fallback}) {
        if (base.isEmpty())
            continue;
        const QString folder = QDir(base).filePath(QStringLiteral("VDSkinFlash"));
        if (MakeWritableFolder(folder))
            return folder + QLatin1Char('/');
    }
    return {};
}

QString UserCacheFolder()
{
    // Built from the variable itself: the folder must not move when the application is renamed.
    const QString xdg = qEnvironmentVariable("XDG_CACHE_HOME");
    const QString base = QDir::isAbsolutePath(xdg) ? xdg : QDir::homePath() + QStringLiteral("/.cache");
    return QDir::cleanPath(base + QStringLiteral("/skinmaker"));
}

QString FlashCacheFolder()
{
    return ChooseFlashCacheFolder(UserCacheFolder(), QString());
}

QString LegacyFlashCacheFolder()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("VDSkinFlash"));
}

QString FlashCacheFileName(const QString& flashId, const QString& url)
{
    const QByteArray hash =
        QCryptographicHash::hash(url.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return flashId + QLatin1Char('-') + QString::fromLatin1(hash) + QStringLiteral(".swf");
}

bool AdoptLegacyCachedControl(const QString& legacyFolder, const QString& cacheFolder,
                              const QString& fileName)
{
    const QString target = QDir(cacheFolder).filePath(fileName);
    if (QFileInfo(target).isFile())
        return true;
    if (legacyFolder.isEmpty() || QDir(legacyFolder) == QDir(cacheFolder))
        return false;
    QFile source(QDir(legacyFolder).filePath(fileName));
    if (!QFileInfo(source.fileName()).isFile() || source.size() > kMaxLegacyControlBytes ||
        !source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError || !IsWholeSwf(bytes))
        return false;
    QSaveFile copy(target);
    return copy.open(QIODevice::WriteOnly) && copy.write(bytes) == bytes.size() && copy.commit();
}
