#include "flash/core/SwfHeader.h"

#include <QFile>
#include <QIODevice>

#include <lzma.h>
#include <zlib.h>

#include <algorithm>
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

// Starts a raw LZMA decoder on the data after the property bytes, with a dictionary of at most
// dictionaryCap; false (the stream ended) when the properties are no LZMA's.
bool StartLzma(QByteArrayView input, uint32_t dictionaryCap, lzma_stream& stream)
{
    if (input.size() < kZwsDataOffset)
        return false;
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
    const auto* properties = reinterpret_cast<const uint8_t*>(input.data() + kZwsPropertiesOffset);
    if (lzma_properties_decode(&filters[0], nullptr, properties, 5) != LZMA_OK)
        return false;
    auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
    options->dict_size = std::clamp<uint32_t>(options->dict_size, LZMA_DICT_SIZE_MIN,
                                              std::max<uint32_t>(dictionaryCap, LZMA_DICT_SIZE_MIN));
    const lzma_ret init = lzma_raw_decoder(&stream, filters);
    std::free(filters[0].options);
    if (init != LZMA_OK) {
        lzma_end(&stream);
        return false;
    }
    stream.next_in = reinterpret_cast<const uint8_t*>(input.data() + kZwsDataOffset);
    stream.avail_in = static_cast<size_t>(input.size() - kZwsDataOffset);
    return true;
}

bool DecodeLzmaFirstBytes(QByteArrayView input, std::vector<uint8_t>& body)
{
    lzma_stream stream = LZMA_STREAM_INIT;
    if (!StartLzma(input, kLzmaDictionaryCap, stream))
        return false;
    stream.next_out = body.data();
    stream.avail_out = body.size();
    const lzma_ret result = lzma_code(&stream, LZMA_RUN);
    body.resize(static_cast<size_t>(stream.total_out));
    lzma_end(&stream);
    return result == LZMA_OK || result == LZMA_STREAM_END;
}

// Whether the zlib stream is all of input and inflates to exactly expected bytes.
bool InflatesTo(QByteArrayView input, uint64_t expected)
{
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
    stream.avail_in = static_cast<uInt>(input.size());
    std::vector<uint8_t> out(kBodyBufferSize);
    int result = Z_OK;
    while (result == Z_OK && stream.total_out <= expected) {
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        result = inflate(&stream, Z_NO_FLUSH);
        if (result == Z_OK && stream.avail_in == 0 && stream.avail_out != 0)
            break; // the data ended before the stream did
    }
    const bool whole = result == Z_STREAM_END && stream.avail_in == 0 && stream.total_out == expected;
    inflateEnd(&stream);
    return whole;
}

// Whether the LZMA data (with its property bytes in front) decodes to exactly expected bytes.
bool LzmaDecodesTo(QByteArrayView input, uint64_t expected)
{
    // No match reaches further back than the whole output: a larger dictionary is memory for nothing.
    lzma_stream stream = LZMA_STREAM_INIT;
    if (!StartLzma(input, static_cast<uint32_t>(expected), stream))
        return false;
    std::vector<uint8_t> out(kBodyBufferSize);
    lzma_ret result = LZMA_OK;
    while (result == LZMA_OK && stream.total_out <= expected) {
        stream.next_out = out.data();
        stream.avail_out = out.size();
        result = lzma_code(&stream, LZMA_RUN);
        if (result == LZMA_OK && stream.avail_in == 0 && stream.avail_out != 0)
            break; // all data taken and all output given
    }
    // The data may end with an end marker or simply stop once the length is reached.
    const bool whole = (result == LZMA_OK || result == LZMA_STREAM_END) && stream.avail_in == 0 &&
                       stream.total_out == expected;
    lzma_end(&stream);
    return whole;
}

} // namespace

bool IsWholeSwf(QByteArrayView file)
{
    if (file.size() < kSignatureSize || file[1] != 'W' || file[2] != 'S')
        return false;
    const auto* bytes = reinterpret_cast<const uint8_t*>(file.data());
    const uint32_t length = bytes[4] | (bytes[5] << 8) | (bytes[6] << 16) | (uint32_t(bytes[7]) << 24);
    if (length < kSignatureSize || length > kMaxWholeSwfLength)
        return false;
    const QByteArrayView data = file.sliced(kSignatureSize);
    switch (file[0]) {
    case 'F':
        return static_cast<uint64_t>(file.size()) == length;
    case 'C':
        return InflatesTo(data, length - kSignatureSize);
    case 'Z': {
        // The compressed length counts the data after the 5 property bytes.
        if (data.size() < kZwsDataOffset)
            return false;
        const uint32_t packed = bytes[8] | (bytes[9] << 8) | (bytes[10] << 16) | (uint32_t(bytes[11]) << 24);
        return packed == static_cast<uint64_t>(data.size() - kZwsDataOffset) &&
               LzmaDecodesTo(data, length - kSignatureSize);
    }
    default:
        return false;
    }
}

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
