#pragma once
// A ZIP archive as one object: members are added with their bytes and listed and read back by
// name, and the whole archive is laid out in memory and saved in one go. Workers compress each
// member as soon as it is added, while the caller makes the next one; the archive's bytes are the
// same for any number of workers. Reading goes through the same checks and limits as UnzipAll.
#include "Zip.h"

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>
#include <QList>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class ZipReader;
class DeflateWorkers;

class ZipArchive {
public:
    // An empty archive to add members to, compressed by `workers` threads (0: one per core).
    explicit ZipArchive(int workers = 0);
    // An archive to read, from a file or from bytes; null when it is not a readable archive, with
    // the reason in *why when given (as UnzipOpen gives it).
    static std::unique_ptr<ZipArchive> Open(const QString& path, uint32_t* why = nullptr);
    static std::unique_ptr<ZipArchive> Open(const QByteArray& bytes, uint32_t* why = nullptr);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Adds a member named `name` (stored in GBK) with the given time as its modification, access
    // and creation time. ZIP_ARGS for a name the archive cannot hold, ZIP_LIMIT for a member or an
    // archive beyond the 32-bit sizes, ZIP_ENDED for an archive that was opened or finished.
    uint32_t Add(const QString& name, QByteArray bytes, const QDateTime& time);
    // Adds a member whose bytes are written in place afterwards, while the parts already written
    // are compressed: bytes gives its size (and whatever of it is final already), *data points at
    // the member's bytes for the caller to write, and every range written is handed over with
    // Written. The member must be written whole before the archive is finished (ZIP_ARGS
    // otherwise). As Add otherwise.
    uint32_t AddInPlace(const QString& name, QByteArray bytes, const QDateTime& time, char** data);
    // Bytes [begin, end) of the member added last in place are written and final; each range is
    // handed over once.
    void Written(qsizetype begin, qsizetype end);
    // The members in archive order (for an opened archive, up to the first unreadable record).
    const QList<ZipItem>& Entries() const { return m_entries; }
    // A member's bytes, checked against its size and CRC-32 when it comes from an archive.
    uint32_t Read(int index, QByteArray* out);
    // The bytes of the first member (not a folder) of that exact name; nothing when there is none
    // or it cannot be read.
    std::optional<QByteArray> Read(const QString& name);

    // Waits for the workers and lays the archive out: the members in the order they were added,
    // then the central directory. ZIP_FLATE when a member could not be compressed.
    uint32_t Finish(QByteArray* out);
    // Finish, then writes the archive to path through a temporary file that replaces path only
    // when complete (the file's permissions are kept). ZIP_NOFILE or ZIP_WRITE when writing failed;
    // path is then as it was and no temporary file is left.
    uint32_t Save(const QString& path);

private:
    struct Member;
    static std::unique_ptr<ZipArchive> FromReader(std::unique_ptr<ZipReader> reader);
    uint32_t Append(const QString& name, QByteArray bytes, const QDateTime& time,
                    std::shared_ptr<Member>* added);
    void PostCrc(const std::shared_ptr<Member>& member);
    void PostPiece(const std::shared_ptr<Member>& member, int piece);
    // Waits for the workers and writes the archive to the device.
    uint32_t WriteTo(QIODevice& device);

    QList<ZipItem> m_entries;
    std::unique_ptr<ZipReader> m_reader;            // for an opened archive
    std::vector<std::shared_ptr<Member>> m_members; // for an archive being written
    std::shared_ptr<Member> m_inPlace;              // the member added last in place
    std::unique_ptr<DeflateWorkers> m_workers;
    uint64_t m_totalBytes = 0;
    bool m_finished = false;
};
