// The two whole-archive operations the package code calls: pack a list of files, unpack all.
#include "Zip.h"
#include "ZipHandle.h"
#include "ZipWriter.h"

#include "platform/PackageLimits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <vector>

bool ZipPackFiles(const QStringList& sourcePaths, const QString& archivePath)
{
    ZipHandle* archive = ZipCreate(archivePath);
    if (!archive)
        return false;
    // Members are packed side by side on worker threads and appended in list order as each is
    // ready: every member is compressed on its own, so the archive is byte for byte the same.
    const qsizetype count = sourcePaths.size();
    std::vector<std::promise<PackedMember>> promises(static_cast<size_t>(count));
    std::vector<std::future<PackedMember>> packed;
    for (auto& promise : promises)
        packed.push_back(promise.get_future());
    std::atomic<qsizetype> next{0};
    const auto packNext = [&] {
        for (qsizetype i = next++; i < count; i = next++) {
            const QString& source = sourcePaths[i];
            const qsizetype cut =
                std::max(source.lastIndexOf(QLatin1Char('/')), source.lastIndexOf(QLatin1Char('\\')));
            promises[size_t(i)].set_value(PackMember(source.mid(cut + 1), source));
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::jthread> workers;
    for (qsizetype w = 0; w < std::min<qsizetype>(count, cores); ++w)
        workers.emplace_back(packNext);

    bool ok = true;
    for (qsizetype i = 0; i < count && ok; ++i)
        ok = archive->writer->AddPacked(packed[size_t(i)].get()) == ZIP_OK;
    // A failure stops the writing; the workers finish the members they have begun.
    next = count;
    workers.clear();
    ok = ZipClose(archive) == ZIP_OK && ok;
    if (!ok)
        QFile::remove(archivePath);
    return ok;
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

// True when path, or a folder between folder and path, is a symbolic link: writing there
// would land wherever the link points.
bool LinkOnTheWay(const QString& folder, const QString& path)
{
    const QString base = QDir::cleanPath(folder);
    for (QString at = QDir::cleanPath(path); at.size() > base.size(); at.truncate(at.lastIndexOf('/'))) {
        if (QFileInfo(at).isSymLink())
            return true;
    }
    return false;
}

} // namespace

bool UnzipAll(const QString& archivePath, const QString& destinationFolder, QStringList* namesOut,
              bool throughTemp, uint32_t* result)
{
    uint32_t ignored = ZIP_OK;
    uint32_t& failure = result ? *result : ignored;
    ZipHandle* archive = UnzipOpen(archivePath, &failure);
    if (!archive)
        return false;

    // Members are staged in a private folder of our own, never among other programs' files in
    // the shared temporary folder; the folder goes with everything left in it.
    std::unique_ptr<QTemporaryDir> stage;
    if (throughTemp) {
        stage = std::make_unique<QTemporaryDir>();
        if (!stage->isValid()) {
            UnzipClose(archive);
            failure = ZIP_NOFILE;
            return false;
        }
    }
    const QString base = throughTemp ? stage->path() : destinationFolder;

    ZipItem info;
    UnzipGetItem(archive, -1, &info);
    const int count = info.index;
    // Extraction never produces more than a member's declared size, so the declared sizes bound
    // the whole package before anything is written.
    int64_t total = 0;
    for (int index = 0; index < count; ++index) {
        ZipItem item;
        if (UnzipGetItem(archive, index, &item) == ZIP_OK)
            total += int64_t(uint32_t(item.uncompressedSize));
    }
    if (total > kMaxPackageBytes)
        failure = ZIP_LIMIT;
    for (int index = 0; index < count && failure == ZIP_OK; ++index) {
        ZipItem item;
        if ((failure = UnzipGetItem(archive, index, &item)) != ZIP_OK)
            break;
        const QString relative = QString(item.name).replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QString target = base + QLatin1Char('/') + relative;
        const QString destination = destinationFolder + QLatin1Char('/') + relative;
        if (!IsInside(base, target) || LinkOnTheWay(base, target) ||
            (throughTemp && LinkOnTheWay(destinationFolder, destination))) {
            failure = ZIP_NOFILE;
            break;
        }
        if ((failure = UnzipItemToFile(archive, index, target)) != ZIP_OK) {
            if (QFileInfo(target).isFile())
                QFile::remove(target);
            break;
        }
        if (throughTemp) {
            if (item.attributes & ZIP_ATTR_DIRECTORY) {
                QDir().mkpath(destination);
            } else if (!MoveStagedFile(target, destination)) {
                failure = ZIP_WRITE;
                break;
            }
        }
        if (namesOut)
            namesOut->append(item.name);
    }
    UnzipClose(archive);
    return failure == ZIP_OK;
}
