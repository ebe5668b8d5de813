// The two whole-archive operations the package code calls: pack a list of files, unpack all.
#include "Zip.h"
#include "ZipHandle.h"
#include "ZipReader.h"
#include "ZipWriter.h"

#include "platform/PackageLimits.h"

#include <QBuffer>
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

// Checks the declared sizes of all members against the package limit, then hands each member to
// unpack in archive order until one fails; the code of the failure, ZIP_OK when all were unpacked.
// Extraction never produces more than a member's declared size, so the declared sizes bound the
// whole package before anything is unpacked.
template <typename Unpack> uint32_t UnpackEach(ZipReader& reader, Unpack unpack)
{
    const int count = reader.Count();
    int64_t total = 0;
    for (int index = 0; index < count; ++index) {
        ZipItem item;
        if (reader.GetItem(index, &item) == ZIP_OK)
            total += int64_t(uint32_t(item.uncompressedSize));
    }
    if (total > kMaxPackageBytes)
        return ZIP_LIMIT;
    for (int index = 0; index < count; ++index) {
        ZipItem item;
        uint32_t failure = reader.GetItem(index, &item);
        if (failure == ZIP_OK)
            failure = unpack(index, item);
        if (failure != ZIP_OK)
            return failure;
    }
    return ZIP_OK;
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

    failure = UnpackEach(*archive->reader, [&](int index, const ZipItem& item) {
        const QString relative = QString(item.name).replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QString target = base + QLatin1Char('/') + relative;
        const QString destination = destinationFolder + QLatin1Char('/') + relative;
        if (!IsInside(base, target) || LinkOnTheWay(base, target) ||
            (throughTemp && LinkOnTheWay(destinationFolder, destination)))
            return ZIP_NOFILE;
        if (const uint32_t extracted = UnzipItemToFile(archive, index, target); extracted != ZIP_OK) {
            if (QFileInfo(target).isFile())
                QFile::remove(target);
            return extracted;
        }
        if (throughTemp) {
            if (item.attributes & ZIP_ATTR_DIRECTORY)
                QDir().mkpath(destination);
            else if (!MoveStagedFile(target, destination))
                return ZIP_WRITE;
        }
        if (namesOut)
            namesOut->append(item.name);
        return ZIP_OK;
    });
    UnzipClose(archive);
    return failure == ZIP_OK;
}

namespace {

bool UnpackToMemory(std::unique_ptr<ZipReader> reader, QList<UnzippedMember>* membersOut, uint32_t& failure)
{
    if (!reader)
        return false;
    failure = UnpackEach(*reader, [&](int index, const ZipItem& item) {
        UnzippedMember member{item.name, {}, bool(item.attributes & ZIP_ATTR_DIRECTORY)};
        QBuffer data(&member.bytes);
        data.open(QIODevice::WriteOnly);
        if (const uint32_t extracted = reader->ItemToDevice(index, data); extracted != ZIP_OK)
            return extracted;
        data.close();
        membersOut->append(std::move(member));
        return ZIP_OK;
    });
    return failure == ZIP_OK;
}

} // namespace

bool UnzipAllToMemory(const QByteArray& archive, QList<UnzippedMember>* membersOut, uint32_t* result)
{
    uint32_t ignored = ZIP_OK;
    uint32_t& failure = result ? *result : ignored;
    return UnpackToMemory(ZipReader::Open(archive, &failure), membersOut, failure);
}

bool UnzipFileToMemory(const QString& archivePath, QList<UnzippedMember>* membersOut, uint32_t* result)
{
    uint32_t ignored = ZIP_OK;
    uint32_t& failure = result ? *result : ignored;
    return UnpackToMemory(ZipReader::Open(archivePath, &failure), membersOut, failure);
}
