#pragma once
// Builds ZIP archives byte by byte, so that tests can hand the reader exactly the damage or
// the foreign layout they are about.
#include <QByteArray>
#include <QList>
#include <cstdint>

namespace ziptest {

struct Member {
    QByteArray name{};
    QByteArray data{};   // uncompressed content
    uint16_t method = 8; // 0 stored, 8 deflated
    uint16_t flags = 0;
    uint16_t versionMadeBy = 0x0B17;
    uint32_t externalAttributes = 0x81800020;
    uint16_t dosTime = 0x6000; // 12:00:00
    uint16_t dosDate = 0x5A21; // 2025-01-01
    QByteArray localExtra{};
    bool encrypt = false; // traditional encryption with the empty password
    bool wrongCheckByte = false;
    // Damage applied after the member is laid out.
    int64_t crcOverride = -1;
    int64_t localCrcOverride = -1;
    int64_t uncompressedSizeOverride = -1;
    int64_t compressedSizeOverride = -1;
    // The index of an earlier member whose local record this member's directory entry points to
    // (no record of its own is written): two entries sharing the same bytes.
    int sharesRecordOf = -1;
};

class ArchiveBuilder {
public:
    void Add(const Member& member) { m_members.append(member); }
    void SetPrefix(const QByteArray& prefix) { m_prefix = prefix; }
    void SetComment(const QByteArray& comment) { m_comment = comment; }
    QByteArray Build() const;

private:
    QList<Member> m_members;
    QByteArray m_prefix;
    QByteArray m_comment;
};

QByteArray RawDeflate(const QByteArray& data);
uint32_t Crc32(const QByteArray& data);
// A "UT" extra record with modification, access and creation time.
QByteArray TimestampExtra(uint32_t modify, uint32_t access, uint32_t create);

} // namespace ziptest
