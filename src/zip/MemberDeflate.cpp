#include "MemberDeflate.h"

#include "DeflateWalk.h"

#include <algorithm>
#include <libdeflate.h>
#include <memory>
#include <new>

namespace {

// libdeflate at level 6 is faster than at 8 and on photographs at least as small as zlib's level 8
// (a few tenths of a percent larger on noise).
constexpr int kLevel = 6;

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
        libdeflate_alloc_compressor(kLevel));
    if (!compressor)
        return false;
    out->resize(qsizetype(libdeflate_deflate_compress_bound(compressor.get(), size_t(content.size()))));
    const size_t written = libdeflate_deflate_compress(
        compressor.get(), content.data(), size_t(content.size()), out->data(), size_t(out->size()));
    out->resize(qsizetype(written));
    return written > 0;
}

// Turns a whole DEFLATE stream into the leading part of a longer one: its last block is no longer
// marked as the last, and an empty stored block ends it on a byte boundary, as a sync flush would.
bool OpenStreamEnd(QByteArray* stream, qsizetype size)
{
    qint64 lastBlockBit = 0;
    qint64 endBit = 0;
    if (!MeasureDeflateStream(*stream, size, &lastBlockBit, &endBit))
        return false;
    (*stream)[lastBlockBit / 8] = char(uint8_t((*stream)[lastBlockBit / 8]) & ~(1u << (lastBlockBit % 8)));
    const qsizetype used = qsizetype(endBit / 8);
    QByteArray open = stream->left(used);
    // The stored block's three header bits (all zero) follow the last bit, then padding to the byte.
    if (endBit % 8 != 0)
        open.append(char(uint8_t((*stream)[used]) & ((1u << (endBit % 8)) - 1)));
    if (endBit % 8 == 0 || endBit % 8 > 5)
        open.append('\0');
    open.append("\x00\x00\xFF\xFF", 4);
    *stream = std::move(open);
    return true;
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
        // Each block is deflated on its own (libdeflate takes no history from before it); every block
        // but the last is left open, so that the blocks joined are one stream.
        const qsizetype begin = qsizetype(piece) * kSplitBlockBytes;
        const qsizetype end = std::min(content.size(), begin + kSplitBlockBytes);
        if (begin >= end || !DeflateWhole(content.sliced(begin, end - begin), out))
            return false;
        return end == content.size() || OpenStreamEnd(out, end - begin);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

uint16_t DeflateLevelFlags()
{
    return LevelFlags(kLevel);
}

uint32_t MemberCrc(QByteArrayView content)
{
    return libdeflate_crc32(0, content.data(), size_t(content.size()));
}
