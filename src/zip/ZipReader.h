#pragma once
// Reads one ZIP archive: finds the end record, walks the central directory from the file (or
// from bytes in memory) and extracts members one at a time.
#include "Zip.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

class ZipReader {
public:
    // Opens the archive and checks its end record, its member count and that no two members
    // share bytes; null when it is not a readable archive, with the reason in *why when given
    // (ZIP_NOFILE, ZIP_LIMIT or ZIP_OVERLAP).
    static std::unique_ptr<ZipReader> Open(const QString& archivePath, uint32_t* why = nullptr);
    // The same over an archive held in memory.
    static std::unique_ptr<ZipReader> Open(const QByteArray& archive, uint32_t* why = nullptr);

    int Count() const { return m_count; }
    uint32_t GetItem(int index, ZipItem* out);
    uint32_t ItemToFile(int index, const QString& target);
    // The member's data written to target, checked as ItemToFile checks it; nothing for a folder.
    uint32_t ItemToDevice(int index, QIODevice& target);

private:
    struct CentralHeader {
        uint16_t versionMadeBy = 0;
        uint16_t flags = 0;
        uint16_t method = 0;
        uint16_t dosTime = 0;
        uint16_t dosDate = 0;
        uint32_t crc = 0;
        uint32_t compressedSize = 0;
        uint32_t uncompressedSize = 0;
        uint16_t nameLength = 0;
        uint16_t extraLength = 0;
        uint16_t commentLength = 0;
        uint32_t externalAttributes = 0;
        uint32_t localHeaderOffset = 0;
    };

    ZipReader() = default;
    static std::unique_ptr<ZipReader> Open(std::unique_ptr<QIODevice> in, uint32_t* why);
    bool ReadAt(qint64 position, void* buffer, qint64 size);
    bool LocateEndRecord(qint64* position);
    bool ReadCentralHeader(qint64 position, CentralHeader* out);
    uint32_t WalkTo(int index);
    bool MembersOverlap();
    // Looks up the member and checks its size against the limit.
    uint32_t Prepare(int index, ZipItem* item);
    uint32_t ExtractData(QIODevice& target);

    std::unique_ptr<QIODevice> m_in;
    qint64 m_size = 0;
    QString m_baseFolder; // ends with a separator
    int m_count = 0;
    qint64 m_directoryStart = 0; // file position of the first central header
    qint64 m_preceding = 0;      // bytes in front of the archive proper

    int m_cursor = -1;                                // index of the decoded central header, -1 when none
    int m_brokenAt = std::numeric_limits<int>::max(); // index of the first central header that cannot be read
    qint64 m_cursorPosition = 0;
    CentralHeader m_header;

    int m_cachedIndex = -1;
    ZipItem m_cachedItem;
    CentralHeader m_cachedHeader;
    qint64 m_cachedDataStart = 0;

    std::vector<unsigned char> m_inBuffer;
    std::vector<unsigned char> m_outBuffer;
};
