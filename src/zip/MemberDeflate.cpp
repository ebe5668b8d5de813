#include "MemberDeflate.h"

#include <libdeflate.h>
#include <memory>
#include <new>
#include <zlib.h>

namespace {

// libdeflate at level 6 is faster than at 8 and on photographs at least as small as zlib's level 8
// (a few tenths of a percent larger on noise).
constexpr int kWholeLevel = 6;
// Blocks are deflated by zlib at the level the archives have always used.
constexpr int kBlockLevel = 8;
constexpr qsizetype kWindowBytes = 32768;

// Bits 1-2 of the general-purpose flag: 0 normal, 1 maximum, 2 fast, 3 super fast.
uint16_t LevelFlags(int level)
{
    if (level >= 8)
        return 0x0002;
    if (level >= 3)
        return 0x0000;
    return level == 2 ? 0x0004 : 0x0006;
}

struct CompressorFree {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

bool DeflateWhole(QByteArrayView content, QByteArray* out)
{
    // One compressor per thread: it holds a few hundred KiB of tables and is not shared.
    thread_local std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(kWholeLevel));
    if (!compressor)
        return false;
    out->resize(qsizetype(libdeflate_deflate_compress_bound(compressor.get(), size_t(content.size()))));
    const size_t written = libdeflate_deflate_compress(
        compressor.get(), content.data(), size_t(content.size()), out->data(), size_t(out->size()));
    out->resize(qsizetype(written));
    return written > 0;
}

// One block of a split member, primed with the window before it. Every block but the last ends
// with a sync flush, which leaves the stream open and byte-aligned.
bool DeflateBlock(QByteArrayView content, qsizetype begin, qsizetype end, QByteArray* out)
{
    z_stream stream{};
    if (deflateInit2(&stream, kBlockLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    const auto* bytes = reinterpret_cast<const Bytef*>(content.data());
    bool ok = true;
    if (begin > 0) {
        const qsizetype window = std::min(begin, kWindowBytes);
        ok = deflateSetDictionary(&stream, bytes + begin - window, uInt(window)) == Z_OK;
    }
    const bool last = end == content.size();
    out->resize(qsizetype(deflateBound(&stream, uLong(end - begin))) + 16);
    stream.next_in = const_cast<Bytef*>(bytes + begin);
    stream.avail_in = uInt(end - begin);
    stream.next_out = reinterpret_cast<Bytef*>(out->data());
    stream.avail_out = uInt(out->size());
    if (ok) {
        const int rc = deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
        ok = last ? rc == Z_STREAM_END : rc == Z_OK && stream.avail_in == 0 && stream.avail_out > 0;
    }
    out->resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return ok;
}

} // namespace

int DeflatePieceCount(qsizetype size)
{
    if (size < kSplitMemberBytes)
        return 1;
    return int((size + kSplitBlockBytes - 1) / kSplitBlockBytes);
}

bool DeflatePiece(QByteArrayView content, int piece, QByteArray* out)
{
    try {
        if (DeflatePieceCount(content.size()) == 1)
            return piece == 0 && DeflateWhole(content, out);
        const qsizetype begin = qsizetype(piece) * kSplitBlockBytes;
        const qsizetype end = std::min(content.size(), begin + kSplitBlockBytes);
        return begin < end && DeflateBlock(content, begin, end, out);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

uint16_t DeflateLevelFlags(qsizetype size)
{
    return LevelFlags(DeflatePieceCount(size) == 1 ? kWholeLevel : kBlockLevel);
}

uint32_t MemberCrc(QByteArrayView content)
{
    return libdeflate_crc32(0, content.data(), size_t(content.size()));
}
