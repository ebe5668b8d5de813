// Fuzz target for the archive reader, in memory: open the bytes as an archive, list every member
// and extract each one, checked against its size and CRC-32, into a sink. Every member name must
// come out relative and free of parent steps, since names are all that decides where a member is
// unpacked; unpacking to disk runs on the seed corpus (unzip_to_disk) and in the zip tests.
#include "platform/PackageLimits.h"
#include "zip/ZipReader.h"

#include <QIODevice>
#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>

namespace {

// Counts what is written and keeps nothing.
class Sink : public QIODevice {
public:
    qint64 written = 0;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        written += size;
        return size;
    }
};

bool StaysInside(const QString& name)
{
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    return !name.startsWith(QLatin1Char('/')) && !name.startsWith(QLatin1Char('\\')) &&
           !(name.size() >= 2 && name[1] == QLatin1Char(':')) &&
           !name.split(separators).contains(QStringLiteral(".."));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::unique_ptr<ZipReader> reader = ZipReader::Open(bytes);
    if (!reader)
        return 0;
    if (reader->Count() > kMaxPackageMembers)
        std::abort();
    for (int i = 0; i < reader->Count(); ++i) {
        ZipItem item;
        if (reader->GetItem(i, &item) != ZIP_OK)
            continue;
        if (!StaysInside(item.name))
            std::abort();
        Sink sink;
        sink.open(QIODevice::WriteOnly);
        const uint32_t result = reader->ItemToDevice(i, sink);
        if (sink.written > kMaxMemberBytes ||
            (result == ZIP_OK && sink.written != qint64(uint32_t(item.uncompressedSize)) &&
             !(item.attributes & ZIP_ATTR_DIRECTORY)))
            std::abort();
    }
    ZipItem past;
    if (reader->GetItem(reader->Count(), &past) == ZIP_OK)
        std::abort();
    return 0;
}
