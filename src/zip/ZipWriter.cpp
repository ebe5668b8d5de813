#include "ZipWriter.h"

#include "Zip.h"
#include "ZipBytes.h"
#include "ZipNames.h"
#include "ZipTime.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <zlib.h>

namespace {

constexpr uint16_t kVersionMadeBy = 0x0B17; // host 11, version 2.3
constexpr uint16_t kVersionNeeded = 20;
constexpr int kDeflateLevel = 8;
constexpr uint64_t kMaxOffset = 0xFFFFFFFFULL;

} // namespace

bool IsStoredName(const QByteArray& name)
{
    const qsizetype dot = name.lastIndexOf('.');
    if (dot < 0)
        return false;
    const QByteArray ext = name.mid(dot).toLower();
    static const char* const kStored[] = {".z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz"};
    for (const char* stored : kStored) {
        if (ext == stored)
            return true;
    }
    return false;
}

namespace {

// External attributes of a source file. The low half carries Windows attribute bits, which this
// system derives from the Linux file as Windows would report them for the same file:
//   read-only (0x01) when the owner may not write it;
//   archive (0x20) always, as Windows sets it on every file written since the last backup;
//   hidden (0x02) and system (0x04) never; directory (0x10) never, only files are added.
// The high half is the Unix mode: regular file, owner read, owner write unless read-only.
uint32_t ExternalAttributes(bool readOnly)
{
    const uint32_t windows = ZIP_ATTR_ARCHIVE | (readOnly ? ZIP_ATTR_READONLY : 0);
    const uint32_t unixMode = 0x8000 | 0x0100 | (readOnly ? 0 : 0x0080);
    return (unixMode << 16) | (windows & 0x37);
}

QByteArray TimestampExtra(uint16_t dataLength, uint32_t modify, uint32_t access, uint32_t create)
{
    QByteArray extra;
    PutLE16(extra, ZIP_EXTRA_TIMESTAMP);
    PutLE16(extra, dataLength);
    extra.append(char(0x07)); // modification, access and creation time present
    PutLE32(extra, modify);
    if (dataLength > 5) {
        PutLE32(extra, access);
        PutLE32(extra, create);
    }
    return extra;
}

// Raw DEFLATE of the whole content in one pass, as zlib gives it however the input is fed.
bool Deflate(const QByteArray& content, QByteArray* packed)
{
    z_stream stream{};
    if (deflateInit2(&stream, kDeflateLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    packed->resize(qsizetype(deflateBound(&stream, uLong(content.size()))));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.constData()));
    stream.avail_in = uInt(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed->data());
    stream.avail_out = uInt(packed->size());
    const int rc = deflate(&stream, Z_FINISH);
    packed->resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return rc == Z_STREAM_END;
}

} // namespace

std::unique_ptr<ZipWriter> ZipWriter::Create(const QString& archivePath)
{
    std::unique_ptr<ZipWriter> writer(new ZipWriter);
    auto file = std::make_unique<QFile>(archivePath);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return nullptr;
    writer->m_out = file.get();
    writer->m_owned = std::move(file);
    return writer;
}

std::unique_ptr<ZipWriter> ZipWriter::CreateInMemory()
{
    std::unique_ptr<ZipWriter> writer(new ZipWriter);
    auto buffer = std::make_unique<QBuffer>();
    buffer->open(QIODevice::WriteOnly);
    writer->m_out = buffer.get();
    writer->m_owned = std::move(buffer);
    return writer;
}

std::unique_ptr<ZipWriter> ZipWriter::CreateOn(QIODevice& device)
{
    std::unique_ptr<ZipWriter> writer(new ZipWriter);
    writer->m_out = &device;
    return writer;
}

QByteArray ZipWriter::Bytes() const
{
    const auto* buffer = qobject_cast<const QBuffer*>(m_out);
    return buffer ? buffer->data() : QByteArray();
}

QByteArray ZipWriter::LocalHeader(const Entry& e) const
{
    QByteArray h;
    h.reserve(ZIP_LOCAL_HEADER_SIZE);
    PutLE32(h, ZIP_SIG_LOCAL);
    PutLE16(h, kVersionNeeded);
    PutLE16(h, e.flags);
    PutLE16(h, e.method);
    PutLE16(h, e.dosTime);
    PutLE16(h, e.dosDate);
    PutLE32(h, e.crc);
    PutLE32(h, e.compressedSize);
    PutLE32(h, e.uncompressedSize);
    PutLE16(h, uint16_t(e.name.size()));
    PutLE16(h, 17);
    return h;
}

QByteArray ZipWriter::CentralHeader(const Entry& e) const
{
    QByteArray h;
    h.reserve(ZIP_CENTRAL_HEADER_SIZE + e.name.size() + 9);
    PutLE32(h, ZIP_SIG_CENTRAL);
    PutLE16(h, kVersionMadeBy);
    PutLE16(h, kVersionNeeded);
    PutLE16(h, e.flags);
    PutLE16(h, e.method);
    PutLE16(h, e.dosTime);
    PutLE16(h, e.dosDate);
    PutLE32(h, e.crc);
    PutLE32(h, e.compressedSize);
    PutLE32(h, e.uncompressedSize);
    PutLE16(h, uint16_t(e.name.size()));
    PutLE16(h, 9);
    PutLE16(h, 0); // comment length
    PutLE16(h, 0); // disk number start
    PutLE16(h, 0); // internal attributes
    PutLE32(h, e.externalAttributes);
    PutLE32(h, e.localHeaderOffset);
    h.append(e.name);
    h.append(TimestampExtra(5, e.modifyUnix, 0, 0));
    return h;
}

bool ZipWriter::Append(const unsigned char* data, qint64 size)
{
    // Offsets are 32-bit: an archive that would outgrow them is refused rather than wrapped.
    if (uint64_t(m_written) + uint64_t(size) > kMaxOffset)
        return false;
    if (size > 0 && m_out->write(reinterpret_cast<const char*>(data), size) != size)
        return false;
    m_written += uint32_t(size);
    return true;
}

bool ZipWriter::Append(const QByteArray& bytes)
{
    return Append(reinterpret_cast<const unsigned char*>(bytes.constData()), bytes.size());
}

// Drops the bytes of a failed member so that later members and the directory still line up.
uint32_t ZipWriter::Rewind(uint32_t offset, uint32_t result)
{
    bool cut = false;
    if (auto* file = qobject_cast<QFile*>(m_out))
        cut = file->resize(offset);
    else if (auto* buffer = qobject_cast<QBuffer*>(m_out))
        cut = (buffer->buffer().truncate(offset), true);
    if (!cut || !m_out->seek(offset))
        m_failed = ZIP_SEEK;
    m_written = offset;
    return result;
}

PackedMember PackMember(const QString& entryName, const QString& sourcePath)
{
    PackedMember packed;
    if (!EncodeEntryName(entryName, &packed.name)) {
        packed.result = ZIP_ARGS;
        return packed;
    }
    packed.method = IsStoredName(packed.name) ? 0 : 8;
    const QFileInfo info(sourcePath);
    QFile source(sourcePath);
    if (info.isDir() || !source.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        uint64_t(source.size()) > kMaxOffset || !ReadFileTimes(sourcePath, &packed.times)) {
        packed.result = ZIP_NOFILE;
        return packed;
    }
    packed.readOnly = !(info.permissions() & QFileDevice::WriteOwner);
    QByteArray content;
    try {
        content = source.readAll();
        packed.result = source.error() != QFileDevice::NoError || uint64_t(content.size()) > kMaxOffset
                            ? ZIP_WRITE
                            : ZIP_OK;
        if (packed.result == ZIP_OK) {
            packed.crc =
                uint32_t(crc32_z(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(content.constData()),
                                 size_t(content.size())));
            packed.uncompressedSize = uint32_t(content.size());
            if (packed.method == 0)
                packed.data = std::move(content);
            else if (!Deflate(content, &packed.data))
                packed.result = ZIP_WRITE;
        }
    } catch (const std::bad_alloc&) {
        packed.result = ZIP_WRITE;
    }
    return packed;
}

uint32_t ZipWriter::State() const
{
    if (m_failed)
        return ZIP_FAILED;
    if (m_closed)
        return ZIP_ENDED;
    return m_out && m_out->isOpen() ? ZIP_OK : ZIP_NOTINITED;
}

uint32_t ZipWriter::AddFile(const QString& entryName, const QString& sourcePath)
{
    // Checked before the file is read and packed.
    if (const uint32_t state = State(); state != ZIP_OK)
        return state;
    return AddPacked(PackMember(entryName, sourcePath));
}

uint32_t ZipWriter::AddPacked(const PackedMember& packed)
{
    return AddPacked(packed, std::vector<QByteArray>{packed.data});
}

uint32_t ZipWriter::AddPacked(const PackedMember& packed, const std::vector<QByteArray>& data)
{
    if (const uint32_t state = State(); state != ZIP_OK)
        return state;
    if (packed.result == ZIP_ARGS)
        return ZIP_ARGS;
    // The end record counts members in 16 bits.
    if (m_entries.size() >= 0xFFFF)
        return ZIP_ARGS;
    if (packed.result != ZIP_OK)
        return packed.result;

    Entry entry;
    entry.name = packed.name;
    entry.method = packed.method;
    entry.flags = entry.method == 8 ? packed.levelFlags : 0;
    DosDateTimeFromFileTime(packed.times.modification, &entry.dosDate, &entry.dosTime);
    entry.crc = packed.crc;
    entry.uncompressedSize = packed.uncompressedSize;
    uint64_t dataSize = 0;
    for (const QByteArray& piece : data)
        dataSize += uint64_t(piece.size());
    if (dataSize > kMaxOffset)
        return ZIP_WRITE;
    entry.compressedSize = uint32_t(dataSize);
    entry.externalAttributes = ExternalAttributes(packed.readOnly);
    entry.localHeaderOffset = m_written;
    entry.modifyUnix = UnixFromFileTime(packed.times.modification);

    QByteArray head = LocalHeader(entry);
    head.append(entry.name);
    head.append(TimestampExtra(13, entry.modifyUnix, UnixFromFileTime(packed.times.access),
                               UnixFromFileTime(packed.times.creation)));
    if (!Append(head))
        return Rewind(entry.localHeaderOffset, ZIP_WRITE);
    for (const QByteArray& piece : data) {
        if (!Append(piece))
            return Rewind(entry.localHeaderOffset, ZIP_WRITE);
    }
    m_entries.push_back(std::move(entry));
    return ZIP_OK;
}

uint32_t ZipWriter::Close()
{
    uint32_t result = ZIP_OK;
    if (!m_closed) {
        const uint32_t directoryStart = m_written;
        for (const Entry& entry : m_entries) {
            if (!Append(CentralHeader(entry))) {
                result = ZIP_WRITE;
                break;
            }
        }
        if (result == ZIP_OK) {
            QByteArray end;
            PutLE32(end, ZIP_SIG_END);
            PutLE16(end, 0);
            PutLE16(end, 0);
            PutLE16(end, uint16_t(m_entries.size()));
            PutLE16(end, uint16_t(m_entries.size()));
            PutLE32(end, m_written - directoryStart);
            PutLE32(end, directoryStart);
            PutLE16(end, 0);
            if (!Append(end))
                result = ZIP_WRITE;
        }
        m_entries.clear();
        m_closed = true;
    }
    if (!m_out)
        return ZIP_NOTINITED;
    if (!m_owned)
        return result; // the caller's device stays open
    auto* file = qobject_cast<QFile*>(m_out);
    if (file)
        file->unsetError();
    m_out->close();
    if (result == ZIP_OK && file && file->error() != QFileDevice::NoError)
        result = ZIP_WRITE;
    return result;
}
