#pragma once
// Writes one ZIP archive: members are appended one at a time, then the central directory.
// A member's content is packed (read, checksummed, compressed) apart from the archive, so that
// several members can be packed at once and appended in order; the bytes are the same either way.
#include "ZipTime.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

// One member made ready for an archive.
struct PackedMember {
    uint32_t result = 0;          // ZIP_OK, or why the member cannot be added
    QByteArray name;              // the entry name as stored (GBK)
    uint16_t method = 0;          // 0 stored, 8 deflated
    uint16_t levelFlags = 0x0002; // general-purpose flag bits 1-2 of a deflated member: the level
    uint32_t crc = 0;
    uint32_t uncompressedSize = 0;
    QByteArray data; // the member's bytes as they go into the archive
    FileTimes times;
    bool readOnly = false;
};
// Reads sourcePath whole and compresses it as the archive stores a member named entryName (raw
// DEFLATE level 8, or stored for already compressed kinds). Safe to call from several threads.
PackedMember PackMember(const QString& entryName, const QString& sourcePath);
// True for names of already compressed kinds (".zip", ".gz", ...), which are stored as they are.
bool IsStoredName(const QByteArray& entryName);

class ZipWriter {
public:
    // Creates or truncates the archive file; null when it cannot be created.
    static std::unique_ptr<ZipWriter> Create(const QString& archivePath);
    // Writes the archive into memory; Bytes() holds it after Close().
    static std::unique_ptr<ZipWriter> CreateInMemory();
    // Writes the archive to an open device the caller keeps; Close() leaves it open.
    static std::unique_ptr<ZipWriter> CreateOn(QIODevice& device);
    QByteArray Bytes() const;

    uint32_t AddFile(const QString& entryName, const QString& sourcePath);
    // Appends a member packed by PackMember.
    uint32_t AddPacked(const PackedMember& packed);
    // The same with the member's stored bytes given as pieces, written one after another
    // (packed.data is not used).
    uint32_t AddPacked(const PackedMember& packed, const std::vector<QByteArray>& data);
    // Writes the central directory and end record (once) and closes the file.
    uint32_t Close();

private:
    // ZIP_OK while members can be added; otherwise why not.
    uint32_t State() const;

    struct Entry {
        uint16_t flags = 0;
        uint16_t method = 0;
        uint16_t dosTime = 0;
        uint16_t dosDate = 0;
        uint32_t crc = 0;
        uint32_t compressedSize = 0;
        uint32_t uncompressedSize = 0;
        uint32_t externalAttributes = 0;
        uint32_t localHeaderOffset = 0;
        uint32_t modifyUnix = 0;
        QByteArray name;
    };

    ZipWriter() = default;
    QByteArray LocalHeader(const Entry& entry) const;
    QByteArray CentralHeader(const Entry& entry) const;
    bool Append(const QByteArray& bytes);
    bool Append(const unsigned char* data, qint64 size);
    uint32_t Rewind(uint32_t offset, uint32_t result);

    std::unique_ptr<QIODevice> m_owned; // a QFile or, in memory, a QBuffer
    QIODevice* m_out = nullptr;         // m_owned or the caller's device
    uint32_t m_written = 0;             // offset of the next local header
    uint32_t m_failed = 0;              // first error of the output itself, sticky
    bool m_closed = false;
    std::vector<Entry> m_entries;
};
