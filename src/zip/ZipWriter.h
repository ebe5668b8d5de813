#pragma once
// Writes one ZIP archive: members are appended one at a time, then the central directory.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>
#include <zlib.h>

class ZipWriter {
public:
    ~ZipWriter();
    // Creates or truncates the archive file; null when it cannot be created.
    static std::unique_ptr<ZipWriter> Create(const QString& archivePath);

    uint32_t AddFile(const QString& entryName, const QString& sourcePath);
    // Writes the central directory and end record (once) and closes the file.
    uint32_t Close();

private:
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
    uint32_t WriteStored(QFile& source, Entry* entry);
    uint32_t WriteDeflated(QFile& source, Entry* entry);
    uint32_t Rewind(uint32_t offset, uint32_t result);

    QFile m_out;
    uint32_t m_written = 0; // offset of the next local header
    uint32_t m_failed = 0;  // first error of the output itself, sticky
    bool m_closed = false;
    std::vector<Entry> m_entries;
    std::vector<unsigned char> m_inBuffer;
    std::vector<unsigned char> m_outBuffer;
    z_stream m_deflate{};
    bool m_deflateReady = false;
};
