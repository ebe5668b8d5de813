#include "ZipReader.h"

#include "ZipBytes.h"
#include "ZipNames.h"
#include "ZipTime.h"
#include "platform/PackageLimits.h"

#include <QBuffer>
#include <QDir>
#include <algorithm>
#include <zlib.h>

namespace {

constexpr int kEndSearchLimit = 65535;
constexpr int kEndSearchStep = 1024;
constexpr int kEndSearchWindow = kEndSearchStep + 4; // windows overlap by a signature's length
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagSizesFollow = 0x0008;
constexpr uint16_t kFlagUtf8Name = 0x0800;
constexpr int kEncryptionHeaderSize = 12;

// Windows attributes of a member, by the host system that wrote it. FAT, VM/CMS, NTFS and VFAT
// hosts carry Windows attribute bits in the low byte; the others carry a Unix mode in the high half.
uint32_t AttributesByHost(uint16_t versionMadeBy, uint32_t external)
{
    const int host = versionMadeBy >> 8;
    if (host == 0 || host == 7 || host == 11 || host == 14)
        return external & 0x37;
    uint32_t attributes = ZIP_ATTR_ARCHIVE;
    if (external & 0x40000000)
        attributes |= ZIP_ATTR_DIRECTORY;
    if (!(external & 0x00800000))
        attributes |= ZIP_ATTR_READONLY;
    return attributes;
}

// Applies the extended-timestamp ("UT") record of a local extra field, if there is one. Every
// read stays inside both the record and the field.
void ApplyTimestampExtra(const QByteArray& extra, ZipItem* item)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(extra.constData());
    const qsizetype length = extra.size();
    if (length <= 4)
        return;
    qsizetype pos = 0;
    while (pos + 4 < length) {
        const uint16_t tag = GetLE16(bytes + pos);
        const uint16_t dataLength = GetLE16(bytes + pos + 2);
        if (tag != ZIP_EXTRA_TIMESTAMP) {
            pos += 4 + dataLength;
            continue;
        }
        const qsizetype end = std::min<qsizetype>(pos + 4 + dataLength, length);
        qsizetype at = pos + 4;
        if (at >= end)
            return;
        const unsigned char flags = bytes[at++];
        uint64_t* const targets[] = {&item->modifyTime, &item->accessTime, &item->creationTime};
        for (int bit = 0; bit < 3; ++bit) {
            if (!(flags & (1 << bit)))
                continue;
            if (at + 4 > end)
                return;
            *targets[bit] = FileTimeFromUnix(GetLE32(bytes + at));
            at += 4;
        }
        return;
    }
}

// The traditional ZIP stream cipher, keyed here by the empty password.
class TraditionalDecrypter {
public:
    TraditionalDecrypter() : m_table(get_crc_table()) {}
    void Decrypt(unsigned char* data, qint64 size)
    {
        for (qint64 i = 0; i < size; ++i) {
            const uint32_t temp = (m_keys[2] | 2) & 0xFFFF;
            const unsigned char plain = data[i] ^ uint8_t((temp * (temp ^ 1)) >> 8);
            Update(plain);
            data[i] = plain;
        }
    }

private:
    uint32_t Crc(uint32_t crc, unsigned char byte) const { return m_table[(crc ^ byte) & 0xFF] ^ (crc >> 8); }
    void Update(unsigned char byte)
    {
        m_keys[0] = Crc(m_keys[0], byte);
        m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFF)) * 134775813u + 1;
        m_keys[2] = Crc(m_keys[2], uint8_t(m_keys[1] >> 24));
    }
    const z_crc_t* m_table;
    uint32_t m_keys[3] = {0x12345678u, 0x23456789u, 0x34567890u};
};

bool IsAbsoluteTarget(const QString& path)
{
    return path.startsWith(QLatin1Char('/'));
}

} // namespace

std::unique_ptr<ZipReader> ZipReader::Open(const QString& archivePath, uint32_t* why)
{
    auto file = std::make_unique<QFile>(archivePath);
    if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        if (why)
            *why = ZIP_NOFILE;
        return nullptr;
    }
    return Open(std::move(file), why);
}

std::unique_ptr<ZipReader> ZipReader::Open(const QByteArray& archive, uint32_t* why)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(archive);
    buffer->open(QIODevice::ReadOnly);
    return Open(std::move(buffer), why);
}

std::unique_ptr<ZipReader> ZipReader::Open(std::unique_ptr<QIODevice> in, uint32_t* why)
{
    uint32_t ignored = ZIP_OK;
    uint32_t& reason = why ? *why : ignored;
    reason = ZIP_NOFILE;
    std::unique_ptr<ZipReader> reader(new ZipReader);
    reader->m_in = std::move(in);
    reader->m_size = reader->m_in->size();
    reader->m_baseFolder = QDir::currentPath();
    if (!reader->m_baseFolder.endsWith(QLatin1Char('/')))
        reader->m_baseFolder += QLatin1Char('/');

    qint64 endPosition = 0;
    unsigned char end[ZIP_END_RECORD_SIZE];
    if (!reader->LocateEndRecord(&endPosition) || !reader->ReadAt(endPosition, end, sizeof end))
        return nullptr;
    const uint16_t disk = GetLE16(end + 4);
    const uint16_t directoryDisk = GetLE16(end + 6);
    const uint16_t entriesOnDisk = GetLE16(end + 8);
    const uint16_t entries = GetLE16(end + 10);
    const uint32_t directorySize = GetLE32(end + 12);
    const uint32_t directoryOffset = GetLE32(end + 16);
    if (entriesOnDisk != entries || disk != 0 || directoryDisk != 0)
        return nullptr;
    if (endPosition < qint64(directoryOffset) + qint64(directorySize))
        return nullptr;
    reader->m_preceding = endPosition - qint64(directoryOffset) - qint64(directorySize);
    reader->m_directoryStart = qint64(directoryOffset) + reader->m_preceding;
    reader->m_count = entries;
    if (entries > 0 && reader->WalkTo(0) != ZIP_OK)
        return nullptr;
    if (entries > kMaxPackageMembers) {
        reason = ZIP_LIMIT;
        return nullptr;
    }
    if (reader->MembersOverlap()) {
        reason = ZIP_OVERLAP;
        return nullptr;
    }
    reason = ZIP_OK;
    return reader;
}

bool ZipReader::ReadAt(qint64 position, void* buffer, qint64 size)
{
    if (position < 0 || size < 0 || position > m_size || size > m_size - position)
        return false;
    if (!m_in->seek(position))
        return false;
    return m_in->read(static_cast<char*>(buffer), size) == size;
}

bool ZipReader::LocateEndRecord(qint64* position)
{
    const qint64 limit = std::min<qint64>(m_size, kEndSearchLimit);
    unsigned char window[kEndSearchWindow];
    qint64 back = 4;
    while (back < limit) {
        back = std::min<qint64>(back + kEndSearchStep, limit);
        const qint64 start = m_size - back;
        const qint64 length = std::min<qint64>(kEndSearchWindow, back);
        if (!ReadAt(start, window, length))
            return false;
        for (qint64 i = length - 4; i >= 0; --i) {
            if (window[i] == 'P' && window[i + 1] == 'K' && window[i + 2] == 5 && window[i + 3] == 6) {
                *position = start + i;
                return true;
            }
        }
    }
    return false;
}

bool ZipReader::ReadCentralHeader(qint64 position, CentralHeader* out)
{
    unsigned char h[ZIP_CENTRAL_HEADER_SIZE];
    if (!ReadAt(position, h, sizeof h) || GetLE32(h) != ZIP_SIG_CENTRAL)
        return false;
    out->versionMadeBy = GetLE16(h + 4);
    out->flags = GetLE16(h + 8);
    out->method = GetLE16(h + 10);
    out->dosTime = GetLE16(h + 12);
    out->dosDate = GetLE16(h + 14);
    out->crc = GetLE32(h + 16);
    out->compressedSize = GetLE32(h + 20);
    out->uncompressedSize = GetLE32(h + 24);
    out->nameLength = GetLE16(h + 28);
    out->extraLength = GetLE16(h + 30);
    out->commentLength = GetLE16(h + 32);
    out->externalAttributes = GetLE32(h + 38);
    out->localHeaderOffset = GetLE32(h + 42);
    return true;
}

// Moves the directory cursor to index, from the first header when it lies behind the cursor.
// A header that cannot be read is remembered: the directory ends there for every later request,
// so a count that promises more members than the directory holds costs one walk, not one per index.
uint32_t ZipReader::WalkTo(int index)
{
    if (index >= m_brokenAt)
        return ZIP_CORRUPT;
    if (m_cursor < 0 || index < m_cursor) {
        m_cursor = -1;
        if (!ReadCentralHeader(m_directoryStart, &m_header)) {
            m_brokenAt = 0;
            return ZIP_CORRUPT;
        }
        m_cursor = 0;
        m_cursorPosition = m_directoryStart;
    }
    while (m_cursor < index) {
        const qint64 next = m_cursorPosition + ZIP_CENTRAL_HEADER_SIZE + m_header.nameLength +
                            m_header.extraLength + m_header.commentLength;
        if (!ReadCentralHeader(next, &m_header)) {
            m_brokenAt = m_cursor + 1;
            m_cursor = -1;
            return ZIP_CORRUPT;
        }
        m_cursorPosition = next;
        ++m_cursor;
    }
    return ZIP_OK;
}

// The bytes each member occupies (local header, name, extra, data) must be its own: two
// directory entries pointing into the same bytes, or a member running into the next one or into
// the directory, would let a small archive unpack to far more than it holds. Members whose
// headers cannot be read are left to GetItem, which refuses them.
bool ZipReader::MembersOverlap()
{
    struct Span {
        qint64 start;
        qint64 end;
    };
    std::vector<Span> spans;
    spans.reserve(size_t(m_count));
    for (int index = 0; index < m_count && WalkTo(index) == ZIP_OK; ++index) {
        const qint64 start = qint64(m_header.localHeaderOffset) + m_preceding;
        unsigned char lh[ZIP_LOCAL_HEADER_SIZE];
        if (!ReadAt(start, lh, sizeof lh))
            continue;
        spans.push_back({start, start + ZIP_LOCAL_HEADER_SIZE + GetLE16(lh + 26) + GetLE16(lh + 28) +
                                    qint64(m_header.compressedSize)});
    }
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.start < b.start; });
    for (size_t i = 0; i < spans.size(); ++i) {
        const qint64 next = i + 1 < spans.size() ? spans[i + 1].start : m_directoryStart;
        if (spans[i].end > next)
            return true;
    }
    return false;
}

uint32_t ZipReader::GetItem(int index, ZipItem* out)
{
    if (index < -1 || index >= m_count)
        return ZIP_ARGS;
    if (index == -1) {
        *out = ZipItem{};
        out->index = m_count;
        return ZIP_OK;
    }
    if (index == m_cachedIndex) {
        *out = m_cachedItem;
        return ZIP_OK;
    }
    m_cachedIndex = -1;
    if (const uint32_t walked = WalkTo(index); walked != ZIP_OK)
        return walked;
    const CentralHeader h = m_header;

    QByteArray rawName(std::min<int>(h.nameLength, ZIP_MAX_NAME_BYTES), '\0');
    if (!ReadAt(m_cursorPosition + ZIP_CENTRAL_HEADER_SIZE, rawName.data(), rawName.size()))
        return ZIP_READ;

    // The local header must agree with the central one.
    const qint64 local = qint64(h.localHeaderOffset) + m_preceding;
    unsigned char lh[ZIP_LOCAL_HEADER_SIZE];
    if (!ReadAt(local, lh, sizeof lh))
        return ZIP_READ;
    const uint16_t localFlags = GetLE16(lh + 6);
    const uint16_t localMethod = GetLE16(lh + 8);
    if (GetLE32(lh) != ZIP_SIG_LOCAL || localMethod != h.method || (h.method != 0 && h.method != 8))
        return ZIP_CORRUPT;
    if (!(localFlags & kFlagSizesFollow) &&
        (GetLE32(lh + 14) != h.crc || GetLE32(lh + 18) != h.compressedSize ||
         GetLE32(lh + 22) != h.uncompressedSize))
        return ZIP_CORRUPT;
    if (GetLE16(lh + 26) != h.nameLength)
        return ZIP_CORRUPT;
    const uint16_t localExtraLength = GetLE16(lh + 28);
    QByteArray localExtra(localExtraLength, '\0');
    if (!ReadAt(local + ZIP_LOCAL_HEADER_SIZE + h.nameLength, localExtra.data(), localExtra.size()))
        return ZIP_READ;

    ZipItem item;
    item.index = index;
    item.name = DecodeEntryName(rawName, h.flags & kFlagUtf8Name);
    const bool folderName = item.name.endsWith(QLatin1Char('/')) || item.name.endsWith(QLatin1Char('\\'));
    if (!SanitiseEntryName(&item.name))
        return ZIP_CORRUPT;
    item.attributes = AttributesByHost(h.versionMadeBy, h.externalAttributes);
    // A name ending in a separator can only be a folder, whatever the attributes say.
    if (folderName)
        item.attributes |= ZIP_ATTR_DIRECTORY;
    const uint64_t dosTime = FileTimeFromDosDateTime(h.dosDate, h.dosTime);
    item.accessTime = item.creationTime = item.modifyTime = dosTime;
    ApplyTimestampExtra(localExtra, &item);
    item.compressedSize = int32_t(h.compressedSize);
    item.uncompressedSize = int32_t(h.uncompressedSize);

    m_cachedIndex = index;
    m_cachedItem = item;
    m_cachedHeader = h;
    m_cachedDataStart = local + ZIP_LOCAL_HEADER_SIZE + h.nameLength + localExtraLength;
    *out = item;
    return ZIP_OK;
}

uint32_t ZipReader::Prepare(int index, ZipItem* item)
{
    if (index < 0 || index >= m_count)
        return ZIP_ARGS;
    if (const uint32_t got = GetItem(index, item); got != ZIP_OK)
        return got;
    return int64_t(m_cachedHeader.uncompressedSize) > kMaxMemberBytes ? ZIP_LIMIT : ZIP_OK;
}

uint32_t ZipReader::ItemToDevice(int index, QIODevice& target)
{
    ZipItem item;
    if (const uint32_t prepared = Prepare(index, &item); prepared != ZIP_OK)
        return prepared;
    return (item.attributes & ZIP_ATTR_DIRECTORY) ? ZIP_OK : ExtractData(target);
}

uint32_t ZipReader::ItemToFile(int index, const QString& target)
{
    ZipItem item;
    if (const uint32_t prepared = Prepare(index, &item); prepared != ZIP_OK)
        return prepared;

    // Both separators are honoured in targets; relative targets hang off the base folder.
    QString path = target;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!IsAbsoluteTarget(path))
        path.prepend(m_baseFolder);

    if (item.attributes & ZIP_ATTR_DIRECTORY) {
        QDir().mkpath(path);
        return ZIP_OK;
    }
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash > 0)
        QDir().mkpath(path.left(slash));
    QFile out(path);
    if (QFileInfo(path).isDir() || QFileInfo(path).isSymLink() ||
        !out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return ZIP_NOFILE;

    uint32_t result = ExtractData(out);
    if (result == ZIP_OK && !ApplyFileTimes(out.handle(), item.accessTime, item.modifyTime))
        result = ZIP_WRITE;
    out.close();
    if (result == ZIP_OK && (item.attributes & ZIP_ATTR_READONLY)) {
        // Read-only on Linux: nobody may write the file.
        out.setPermissions(out.permissions() & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                                 QFileDevice::WriteGroup | QFileDevice::WriteOther));
    }
    if (result == ZIP_CORRUPT)
        out.remove(); // never leave data that failed its check looking like a good file
    return result;
}

// Streams the cached member's data into target, checking its size and CRC-32 at the end.
uint32_t ZipReader::ExtractData(QIODevice& target)
{
    const CentralHeader& h = m_cachedHeader;
    qint64 position = m_cachedDataStart;
    uint64_t remainingIn = h.compressedSize;
    const uint64_t expected = h.uncompressedSize;
    m_inBuffer.resize(ZIP_CHUNK);
    m_outBuffer.resize(ZIP_CHUNK);

    TraditionalDecrypter decrypter;
    const bool encrypted = h.flags & kFlagEncrypted;
    if (encrypted) {
        unsigned char header[kEncryptionHeaderSize];
        if (remainingIn < kEncryptionHeaderSize || !ReadAt(position, header, sizeof header))
            return ZIP_READ;
        decrypter.Decrypt(header, sizeof header);
        const unsigned char check =
            (h.flags & kFlagSizesFollow) ? uint8_t(h.dosTime >> 8) : uint8_t(h.crc >> 24);
        if (header[kEncryptionHeaderSize - 1] != check)
            return ZIP_PASSWORD;
        position += kEncryptionHeaderSize;
        remainingIn -= kEncryptionHeaderSize;
    }

    // Reads the next piece of member data (never past its compressed size) into the input buffer.
    auto readPiece = [&](qint64* got) {
        const qint64 n = qint64(std::min<uint64_t>(ZIP_CHUNK, remainingIn));
        if (!ReadAt(position, m_inBuffer.data(), n))
            return false;
        if (encrypted)
            decrypter.Decrypt(m_inBuffer.data(), n);
        position += n;
        remainingIn -= uint64_t(n);
        *got = n;
        return true;
    };

    uint64_t produced = 0;
    uint32_t crc = crc32(0, nullptr, 0);
    auto deliver = [&](const unsigned char* data, qint64 n) {
        crc = crc32(crc, data, uInt(n));
        produced += uint64_t(n);
        return target.write(reinterpret_cast<const char*>(data), n) == n;
    };

    if (h.method == 0) {
        while (produced < expected) {
            qint64 got = 0;
            if (remainingIn == 0 || !readPiece(&got))
                return ZIP_FLATE;
            got = qint64(std::min<uint64_t>(uint64_t(got), expected - produced));
            if (!deliver(m_inBuffer.data(), got))
                return ZIP_WRITE;
        }
    } else {
        z_stream inflater{};
        if (inflateInit2(&inflater, -15) != Z_OK)
            return ZIP_FLATE;
        uint32_t result = ZIP_OK;
        while (produced < expected) {
            if (inflater.avail_in == 0 && remainingIn > 0) {
                qint64 got = 0;
                if (!readPiece(&got)) {
                    result = ZIP_FLATE;
                    break;
                }
                inflater.next_in = m_inBuffer.data();
                inflater.avail_in = uInt(got);
            }
            const uInt inBefore = inflater.avail_in;
            inflater.next_out = m_outBuffer.data();
            inflater.avail_out = uInt(std::min<uint64_t>(ZIP_CHUNK, expected - produced));
            const uInt outBefore = inflater.avail_out;
            const int rc = inflate(&inflater, Z_SYNC_FLUSH);
            const qint64 made = qint64(outBefore - inflater.avail_out);
            if (made > 0 && !deliver(m_outBuffer.data(), made)) {
                result = ZIP_WRITE;
                break;
            }
            if (rc == Z_STREAM_END)
                break;
            if ((rc != Z_OK && rc != Z_BUF_ERROR) || (made == 0 && inflater.avail_in == inBefore)) {
                result = ZIP_FLATE;
                break;
            }
        }
        inflateEnd(&inflater);
        if (result != ZIP_OK)
            return result;
    }
    // Data that does not match its recorded size or CRC-32 is damaged.
    if (produced != expected || crc != h.crc)
        return ZIP_CORRUPT;
    return ZIP_OK;
}
