#include "flash/core/SwfHeader.h"

#include <QFile>
#include <QIODevice>

#include <lzma.h>
#include <zlib.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr qint64 kSignatureSize = 8;
constexpr qint64 kBodyReadSize = 1024;
constexpr size_t kBodyBufferSize = 65536;
constexpr int kTwipsPerPixel = 20;

// ZWS: after the 8 signature bytes come the compressed length (4 bytes) and the 5 LZMA
// property bytes; the LZMA data follows without a size field.
constexpr qsizetype kZwsPropertiesOffset = 4;
constexpr qsizetype kZwsDataOffset = 9;
// The decoder never produces more than kBodyBufferSize bytes here, so no match can reach further
// back; a larger dictionary from the file would only be memory asked for by untrusted bytes.
constexpr uint32_t kLzmaDictionaryCap = kBodyBufferSize;

// Fields are read most significant bit first, as the rectangle packs them.
class BitReader {
public:
    explicit BitReader(QByteArrayView bytes) : m_bytes(bytes) {}
    bool Has(int bits) const { return m_position + bits <= static_cast<int64_t>(m_bytes.size()) * 8; }
    uint32_t Unsigned(int bits)
    {
        uint32_t value = 0;
        for (int i = 0; i < bits; ++i, ++m_position) {
            const auto byte = static_cast<uint8_t>(m_bytes[static_cast<qsizetype>(m_position / 8)]);
            value = (value << 1) | ((byte >> (7 - m_position % 8)) & 1u);
        }
        return value;
    }
    int32_t Signed(int bits)
    {
        if (bits == 0)
            return 0;
        const uint32_t raw = Unsigned(bits);
        const uint32_t sign = 1u << (bits - 1);
        return static_cast<int32_t>(static_cast<int64_t>(raw ^ sign) - static_cast<int64_t>(sign));
    }

private:
    QByteArrayView m_bytes;
    int64_t m_position = 0;
};

bool InflateFirstBytes(QByteArrayView input, std::vector<uint8_t>& body)
{
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
    stream.avail_in = static_cast<uInt>(input.size());
    stream.next_out = body.data();
    stream.avail_out = static_cast<uInt>(body.size());
    const int result = inflate(&stream, Z_SYNC_FLUSH);
    body.resize(stream.total_out);
    inflateEnd(&stream);
    return result == Z_OK || result == Z_STREAM_END;
}

bool DecodeLzmaFirstBytes(QByteArrayView input, std::vector<uint8_t>& body)
{
    if (input.size() < kZwsDataOffset)
        return false;
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
    const auto* properties = reinterpret_cast<const uint8_t*>(input.data() + kZwsPropertiesOffset);
    if (lzma_properties_decode(&filters[0], nullptr, properties, 5) != LZMA_OK)
        return false;
    auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
    if (options->dict_size > kLzmaDictionaryCap)
        options->dict_size = kLzmaDictionaryCap;
    lzma_stream stream = LZMA_STREAM_INIT;
    const lzma_ret init = lzma_raw_decoder(&stream, filters);
    std::free(filters[0].options);
    if (init != LZMA_OK) {
        lzma_end(&stream);
        return false;
    }
    stream.next_in = reinterpret_cast<const uint8_t*>(input.data() + kZwsDataOffset);
    stream.avail_in = static_cast<size_t>(input.size() - kZwsDataOffset);
    stream.next_out = body.data();
    stream.avail_out = body.size();
    const lzma_ret result = lzma_code(&stream, LZMA_RUN);
    body.resize(static_cast<size_t>(stream.total_out));
    lzma_end(&stream);
    return result == LZMA_OK || result == LZMA_STREAM_END;
}

} // namespace

SwfFrameSize SwfFrameSizeFromBody(QByteArrayView body)
{
    BitReader bits(body);
    if (!bits.Has(5))
        return {};
    const int nbits = static_cast<int>(bits.Unsigned(5));
    if (!bits.Has(4 * nbits))
        return {};
    const int64_t xMin = bits.Signed(nbits);
    const int64_t xMax = bits.Signed(nbits);
    const int64_t yMin = bits.Signed(nbits);
    const int64_t yMax = bits.Signed(nbits);
    if (xMax < xMin || yMax < yMin)
        return {};
    return {true, static_cast<int32_t>((xMax - xMin) / kTwipsPerPixel),
            static_cast<int32_t>((yMax - yMin) / kTwipsPerPixel)};
}

SwfFrameSize ReadSwfFrameSize(QIODevice& device)
{
    const QByteArray signature = device.read(kSignatureSize);
    if (signature.size() < 3 || (signature[0] != 'F' && signature[0] != 'C' && signature[0] != 'Z') ||
        signature[1] != 'W' || signature[2] != 'S')
        return {};
    if (signature.size() < kSignatureSize)
        return {};
    const QByteArray input = device.read(kBodyReadSize);
    if (signature[0] == 'F')
        return SwfFrameSizeFromBody(input);
    std::vector<uint8_t> body(kBodyBufferSize);
    const bool decoded =
        signature[0] == 'C' ? InflateFirstBytes(input, body) : DecodeLzmaFirstBytes(input, body);
    if (!decoded)
        return {};
    return SwfFrameSizeFromBody(
        QByteArrayView(reinterpret_cast<const char*>(body.data()), static_cast<qsizetype>(body.size())));
}

SwfFrameSize ReadSwfFrameSize(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadSwfFrameSize(file);
}
