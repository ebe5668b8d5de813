// The two whole-archive operations the package code calls: pack a list of files, unpack all.
#include "Zip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

bool ZipPackFiles(const QStringList& sourcePaths, const QString& archivePath)
{
    ZipHandle* archive = ZipCreate(archivePath);
    if (!archive)
        return false;
    for (const QString& source : sourcePaths) {
        const qsizetype cut =
            std::max(source.lastIndexOf(QLatin1Char('/')), source.lastIndexOf(QLatin1Char('\\')));
        const QString entryName = source.mid(cut + 1);
        if (ZipAddFile(archive, entryName, source) != ZIP_OK) {
            ZipClose(archive);
            QFile::remove(archivePath);
            return false;
        }
    }
    ZipClose(archive);
    return true;
}

namespace {

// Moves a staged file to its destination, replacing what is there. Across file systems the
// bytes are copied and the times and permissions carried over.
bool MoveStagedFile(const QString& staged, const QString& destination)
{
    const QString parent = QFileInfo(destination).absolutePath();
    QDir().mkpath(parent);
    if (QFileInfo(destination).isDir())
        return false;
    const QByteArray from = QFile::encodeName(staged);
    const QByteArray to = QFile::encodeName(destination);
    if (::rename(from.constData(), to.constData()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    struct stat status {};
    if (::stat(from.constData(), &status) != 0)
        return false;
    QFile::remove(destination);
    if (!QFile::copy(staged, destination))
        return false;
    const timespec times[2] = {status.st_atim, status.st_mtim};
    if (::utimensat(AT_FDCWD, to.constData(), times, 0) != 0 ||
        ::chmod(to.constData(), status.st_mode & 07777) != 0)
        return false;
    QFile::remove(staged);
    return true;
}

// True when path lies inside folder (both already free of "." and ".." steps).
bool IsInside(const QString& folder, const QString& path)
{
    const QString base = QDir::cleanPath(folder);
    const QString cleaned = QDir::cleanPath(path);
    return cleaned == base ||
           cleaned.startsWith(base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/'));
}

} // namespace

bool UnzipAll(const QString& archivePath, const QString& destinationFolder, QStringList* namesOut,
              bool throughTemp)
{
    ZipHandle* archive = UnzipOpen(archivePath);
    if (!archive)
        return false;

    // Members are staged in a private folder of our own, never among other programs' files in
    // the shared temporary folder; the folder goes with everything left in it.
    std::unique_ptr<QTemporaryDir> stage;
    if (throughTemp) {
        stage = std::make_unique<QTemporaryDir>();
        if (!stage->isValid()) {
            UnzipClose(archive);
            return false;
        }
    }
    const QString base = throughTemp ? stage->path() : destinationFolder;

    ZipItem info;
    UnzipGetItem(archive, -1, &info);
    const int count = info.index;
    bool ok = true;
    for (int index = 0; index < count && ok; ++index) {
        ZipItem item;
        if (UnzipGetItem(archive, index, &item) != ZIP_OK) {
            ok = false;
            break;
        }
        const QString target =
            base + QLatin1Char('/') + QString(item.name).replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (!IsInside(base, target) || UnzipItemToFile(archive, index, target) != ZIP_OK) {
            if (IsInside(base, target) && QFileInfo(target).isFile())
                QFile::remove(target);
            ok = false;
            break;
        }
        if (throughTemp) {
            const QString destination = destinationFolder + QLatin1Char('/') +
                                        QString(item.name).replace(QLatin1Char('\\'), QLatin1Char('/'));
            if (item.attributes & ZIP_ATTR_DIRECTORY) {
                QDir().mkpath(destination);
            } else if (!MoveStagedFile(target, destination)) {
                ok = false;
                break;
            }
        }
        if (namesOut)
            namesOut->append(item.name);
    }
    UnzipClose(archive);
    return ok;
}
