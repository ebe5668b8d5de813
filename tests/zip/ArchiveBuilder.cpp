#include "ArchiveBuilder.h"

#include <zlib.h>

namespace ziptest {
namespace {

void Put16(QByteArray& out, uint32_t v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void Put32(QByteArray& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

class Encrypter {
public:
    QByteArray Encrypt(const QByteArray& plain)
    {
        QByteArray out;
        for (char c : plain) {
            const uint32_t temp = (m_keys[2] | 2) & 0xFFFF;
            out.append(char(uint8_t(c) ^ uint8_t((temp * (temp ^ 1)) >> 8)));
            Update(uint8_t(c));
        }
        return out;
    }

private:
    static uint32_t Crc(uint32_t crc, uint8_t b) { return get_crc_table()[(crc ^ b) & 0xFF] ^ (crc >> 8); }
    void Update(uint8_t b)
    {
        m_keys[0] = Crc(m_keys[0], b);
        m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFF)) * 134775813u + 1;
        m_keys[2] = Crc(m_keys[2], uint8_t(m_keys[1] >> 24));
    }
    uint32_t m_keys[3] = {0x12345678u, 0x23456789u, 0x34567890u};
};

} // namespace

uint32_t Crc32(const QByteArray& data)
{
    return uint32_t(crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
}

QByteArray RawDeflate(const QByteArray& data)
{
    z_stream s{};
    deflateInit2(&s, 8, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&s, uLong(data.size()))), '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    s.avail_in = uInt(data.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = uInt(out.size());
    deflate(&s, Z_FINISH);
    out.resize(qsizetype(s.total_out));
    deflateEnd(&s);
    return out;
}

QByteArray TimestampExtra(uint32_t modify, uint32_t access, uint32_t create)
{
    QByteArray extra;
    Put16(extra, 0x5455);
    Put16(extra, 13);
    extra.append(char(7));
    Put32(extra, modify);
    Put32(extra, access);
    Put32(extra, create);
    return extra;
}

QByteArray ArchiveBuilder::Build() const
{
    QByteArray out = m_prefix;
    QByteArray directory;
    QList<uint32_t> offsets;
    for (const Member& m : m_members) {
        const uint32_t crc = Crc32(m.data);
        QByteArray payload = m.method == 8 ? RawDeflate(m.data) : m.data;
        uint16_t flags = m.flags;
        if (m.encrypt) {
            flags |= 1;
            QByteArray header(12, '\x5A');
            header[11] = char(m.wrongCheckByte ? ~(crc >> 24) : (crc >> 24));
            payload = Encrypter().Encrypt(header + payload);
        }
        const uint32_t localOffset =
            m.sharesRecordOf >= 0 ? offsets[m.sharesRecordOf] : uint32_t(out.size() - m_prefix.size());
        offsets.append(localOffset);
        const uint32_t compressedSize =
            m.compressedSizeOverride >= 0 ? uint32_t(m.compressedSizeOverride) : uint32_t(payload.size());
        const uint32_t centralCrc = m.crcOverride >= 0 ? uint32_t(m.crcOverride) : crc;
        const uint32_t size =
            m.uncompressedSizeOverride >= 0 ? uint32_t(m.uncompressedSizeOverride) : uint32_t(m.data.size());
        auto fields = [&](QByteArray& h, uint32_t fieldCrc) {
            Put16(h, flags);
            Put16(h, m.method);
            Put16(h, m.dosTime);
            Put16(h, m.dosDate);
            Put32(h, fieldCrc);
            Put32(h, compressedSize);
            Put32(h, size);
            Put16(h, uint32_t(m.name.size()));
        };
        if (m.sharesRecordOf < 0) {
            Put32(out, 0x04034B50);
            Put16(out, 20);
            fields(out, m.localCrcOverride >= 0 ? uint32_t(m.localCrcOverride) : centralCrc);
            Put16(out, uint32_t(m.localExtra.size()));
            out += m.name + m.localExtra + payload;
        }

        Put32(directory, 0x02014B50);
        Put16(directory, m.versionMadeBy);
        Put16(directory, 20);
        fields(directory, centralCrc);
        Put16(directory, 0); // extra
        Put16(directory, 0); // comment
        Put16(directory, 0);
        Put16(directory, 0);
        Put32(directory, m.externalAttributes);
        Put32(directory, localOffset);
        directory += m.name;
    }
    const uint32_t directoryOffset = uint32_t(out.size() - m_prefix.size());
    out += directory;
    Put32(out, 0x06054B50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, uint32_t(m_members.size()));
    Put16(out, uint32_t(m_members.size()));
    Put32(out, uint32_t(directory.size()));
    Put32(out, directoryOffset);
    Put16(out, uint32_t(m_comment.size()));
    out += m_comment;
    return out;
}

} // namespace ziptest
