#include "DeflateWalk.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// A decoding table entry packs, from the low bits: the bits to drop for it (8 bits: its code and
// the extra bits after it, so that the reader drops both by the entry itself), the code's own
// length (4 bits), what the code means (one flag bit each, none for an invalid code) and a base
// value (16 bits). Literal entries give as base how many literals the code stands for (two short
// literal codes can share one entry), code length entries their symbol; match entries give the
// length or distance base; a link to a subtable drops the primary bits and gives the subtable's
// index bits and offset.
constexpr uint32_t kLiteral = 1u << 12;
constexpr uint32_t kMatch = 1u << 13;
constexpr uint32_t kEnd = 1u << 14;
constexpr uint32_t kLink = 1u << 15;
constexpr uint32_t kInvalid = 0;

// What a symbol decodes to, before its code length is known: the extra bits wait in the field of
// the code's length.
constexpr uint32_t MakeEntry(uint32_t kind, uint32_t extra, uint32_t base)
{
    return kind | (extra << 8) | (base << 16);
}
// The entry for a symbol whose code is `bits` long at its level.
constexpr uint32_t WithCode(uint32_t entry, uint32_t bits)
{
    return (entry & ~uint32_t(0xFFF)) | (bits << 8) | (bits + ((entry >> 8) & 15));
}
constexpr uint32_t LinkEntry(uint32_t primaryBits, uint32_t subtableBits, uint32_t offset)
{
    return kLink | (subtableBits << 8) | primaryBits | (offset << 16);
}
constexpr uint32_t DropBits(uint32_t entry)
{
    return entry & 0xFF;
}
constexpr uint32_t CodeBits(uint32_t entry)
{
    return (entry >> 8) & 15;
}
constexpr uint32_t Base(uint32_t entry)
{
    return entry >> 16;
}
constexpr uint64_t Mask(uint32_t bits)
{
    return (uint64_t(1) << bits) - 1;
}
// The extra bits' value, from the bits as they were before the entry was dropped.
constexpr uint32_t ExtraValue(uint32_t entry, uint64_t bits)
{
    return uint32_t((bits & Mask(DropBits(entry))) >> CodeBits(entry));
}

constexpr int kMaxCodeBits = 15;
constexpr int kLiteralBits = 11; // primary index bits of the literal/length table
constexpr int kDistanceBits = 8;
constexpr int kCodeLengthBits = 7; // code length codes are at most 7 bits: one level
// Primary table plus subtables. A subtable of b bits is filled by a complete code of at least
// b + 1 codes, so it has at most 2^b / (b + 1) entries per code: 16/5 for the literal/length
// table (b <= 15 - 11), 16 for the distance table (b <= 15 - 8), times the alphabet's size.
constexpr int kLiteralTableSize = (1 << kLiteralBits) + (288 * 16 + 4) / 5;
constexpr int kDistanceTableSize = (1 << kDistanceBits) + 32 * 16;

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                        33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                        1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr uint32_t LiteralEntry(int symbol)
{
    if (symbol < 256)
        return MakeEntry(kLiteral, 0, 1);
    if (symbol == 256)
        return MakeEntry(kEnd, 0, 0);
    if (symbol < 286)
        return MakeEntry(kMatch, kLengthExtra[symbol - 257], kLengthBase[symbol - 257]);
    return MakeEntry(kInvalid, 0, 0); // 286 and 287 have fixed codes but mean nothing
}

constexpr uint32_t DistanceEntry(int symbol)
{
    if (symbol < 30)
        return MakeEntry(kMatch, kDistanceExtra[symbol], kDistanceBase[symbol]);
    return MakeEntry(kInvalid, 0, 0);
}

constexpr uint32_t CodeLengthEntry(int symbol)
{
    return MakeEntry(kLiteral, 0, uint32_t(symbol));
}

// What each symbol of an alphabet decodes to, without its code length.
template <int Count> struct SymbolEntries {
    uint32_t entry[Count];
    explicit constexpr SymbolEntries(uint32_t (*entryOf)(int)) : entry()
    {
        for (int symbol = 0; symbol < Count; ++symbol)
            entry[symbol] = entryOf(symbol);
    }
};
constexpr SymbolEntries<288> kLiteralEntries(LiteralEntry);
constexpr SymbolEntries<32> kDistanceEntries(DistanceEntry);
constexpr SymbolEntries<19> kCodeLengthEntries(CodeLengthEntry);

// The first `bits` bits of a code, as they arrive in the stream (DEFLATE sends codes from their
// most significant bit on, into the low end of each byte).
uint32_t Reversed(uint32_t code, int bits)
{
    static const auto kByte = [] {
        std::array<uint8_t, 256> reversed{};
        for (int i = 0; i < 256; ++i)
            for (int bit = 0; bit < 8; ++bit)
                reversed[size_t(i)] |= uint8_t(((i >> bit) & 1) << (7 - bit));
        return reversed;
    }();
    return ((uint32_t(kByte[code & 0xFF]) << 8) | kByte[(code >> 8) & 0xFF]) >> (16 - bits);
}

// Fills `table` with the canonical Huffman code of `lengths` (each 0-15): a primary table of
// 2^primaryBits entries indexed by the next bits of the stream, then subtables for longer codes.
// A code with no symbols gives a table of invalid entries. False when the code is oversubscribed,
// incomplete (except for a single one-bit code where `allowSingle`), or does not fit `capacity`.
bool BuildTable(const uint8_t* lengths, int count, int primaryBits, bool allowSingle, uint32_t* table,
                int capacity, const uint32_t* entries)
{
    int lengthCount[kMaxCodeBits + 1] = {};
    for (int i = 0; i < count; ++i)
        ++lengthCount[lengths[i]];
    lengthCount[0] = 0;
    int longest = kMaxCodeBits;
    while (longest > 0 && lengthCount[longest] == 0)
        --longest;
    const uint32_t primarySize = 1u << primaryBits;
    int left = 1;
    for (int bits = 1; bits <= kMaxCodeBits; ++bits) {
        left = (left << 1) - lengthCount[bits];
        if (left < 0)
            return false;
    }
    if (longest == 0 || left > 0) {
        if (longest != 0 && !(allowSingle && longest == 1))
            return false;
        // No code or a single one-bit code: what it leaves free is invalid.
        std::fill(table, table + primarySize, MakeEntry(kInvalid, 0, 0));
    }

    if (longest == 0)
        return true;

    uint32_t next[kMaxCodeBits + 1] = {};
    for (int bits = 1; bits <= kMaxCodeBits; ++bits)
        next[bits] = (next[bits - 1] + uint32_t(lengthCount[bits - 1])) << 1;
    uint16_t codes[288];
    int offset[kMaxCodeBits + 2] = {};
    for (int bits = 1; bits <= kMaxCodeBits; ++bits)
        offset[bits + 1] = offset[bits] + lengthCount[bits];
    int place[kMaxCodeBits + 2];
    std::copy(offset, offset + kMaxCodeBits + 2, place);
    uint16_t byLength[288];
    for (int symbol = 0; symbol < count; ++symbol) {
        const int bits = lengths[symbol];
        if (bits != 0) {
            codes[symbol] = uint16_t(Reversed(next[bits]++, bits));
            byLength[place[bits]++] = uint16_t(symbol);
        }
    }

    // Codes up to the primary bits, shortest first: a length's codes go into the first 2^length
    // entries, which are then doubled, so that every entry holds the code its low bits begin with
    // (the entries left for longer codes are written again later).
    for (int bits = 1; bits <= primaryBits; ++bits) {
        for (int i = offset[bits]; i < offset[bits + 1]; ++i)
            table[codes[byLength[i]]] = WithCode(entries[byLength[i]], uint32_t(bits));
        if (bits < primaryBits)
            std::copy_n(table, size_t(1) << bits, table + (size_t(1) << bits));
    }
    if (longest <= primaryBits)
        return true;

    // Longer codes go into subtables, each as wide as the longest code that starts with its
    // primary bits.
    uint8_t subtableBits[1 << kLiteralBits] = {};
    uint16_t prefixes[288];
    int prefixCount = 0;
    for (int i = offset[primaryBits + 1]; i < offset[kMaxCodeBits + 1]; ++i) {
        const uint32_t prefix = codes[byLength[i]] & (primarySize - 1);
        if (subtableBits[prefix] == 0)
            prefixes[prefixCount++] = uint16_t(prefix);
        subtableBits[prefix] =
            uint8_t(lengths[byLength[i]] - primaryBits); // by length: the last is the longest
    }
    uint32_t used = primarySize;
    for (int i = 0; i < prefixCount; ++i) {
        const uint32_t bits = subtableBits[prefixes[i]];
        if ((1u << bits) > uint32_t(capacity) - used)
            return false;
        table[prefixes[i]] = LinkEntry(uint32_t(primaryBits), bits, used);
        used += 1u << bits;
    }
    for (int i = offset[primaryBits + 1]; i < offset[kMaxCodeBits + 1]; ++i) {
        const int symbol = byLength[i];
        const uint32_t code = codes[symbol];
        const uint32_t link = table[code & (primarySize - 1)];
        const int rest = lengths[symbol] - primaryBits;
        const uint32_t entry = WithCode(entries[symbol], uint32_t(rest));
        uint32_t* subtable = table + Base(link);
        for (uint32_t j = code >> primaryBits; j < (1u << CodeBits(link)); j += 1u << rest)
            subtable[j] = entry;
    }
    return true;
}

// Where two literal codes fit in the primary bits together, one entry stands for both: most of a
// photograph's symbols are literals, and this halves the lookups for the short ones.
void PairLiterals(uint32_t* table)
{
    // Downwards, so that the entry a pair's second code reads (a lower index) is still single.
    for (int i = (1 << kLiteralBits) - 1; i >= 0; --i) {
        const uint32_t first = table[i];
        if (!(first & kLiteral))
            continue;
        const uint32_t bits = DropBits(first);
        const uint32_t second = table[uint32_t(i) >> bits];
        if ((second & kLiteral) && DropBits(second) <= kLiteralBits - bits)
            table[i] = WithCode(MakeEntry(kLiteral, 0, 2), bits + DropBits(second));
    }
}

struct Tables {
    uint32_t literal[kLiteralTableSize];
    uint32_t distance[kDistanceTableSize];
};

const Tables& FixedTables()
{
    static const Tables fixed = [] {
        Tables tables;
        uint8_t lengths[288 + 32];
        std::fill(lengths, lengths + 144, 8);
        std::fill(lengths + 144, lengths + 256, 9);
        std::fill(lengths + 256, lengths + 280, 7);
        std::fill(lengths + 280, lengths + 288, 8);
        std::fill(lengths + 288, lengths + 320, 5);
        BuildTable(lengths, 288, kLiteralBits, false, tables.literal, kLiteralTableSize,
                   kLiteralEntries.entry);
        PairLiterals(tables.literal);
        BuildTable(lengths + 288, 32, kDistanceBits, false, tables.distance, kDistanceTableSize,
                   kDistanceEntries.entry);
        return tables;
    }();
    return fixed;
}

// The stream's bits, least significant first, through a 64-bit buffer. Past the end it reads
// zero bytes, so that decoding needs no bounds check per symbol; Position() then passes the end
// of the stream, which the walk checks at every block and at the end.
class BitReader {
public:
    BitReader(const uint8_t* data, qsizetype size) : m_data(data), m_size(size) {}

    // At least 56 bits in the buffer.
    void Refill()
    {
        if (m_size - m_next >= 8) {
            m_buffer |= qFromLittleEndian<quint64>(m_data + m_next) << Count();
            m_next += (63 - Count()) >> 3;
            m_count |= 56;
            return;
        }
        while (Count() < 56) {
            const uint64_t byte = m_next < m_size ? m_data[m_next] : 0;
            m_buffer |= byte << Count();
            m_count += 8;
            ++m_next;
        }
    }
    uint64_t Peek() const { return m_buffer; }
    // Drops the number of bits in the low byte of `bits` (a table entry drops its own bits).
    void Drop(uint32_t bits)
    {
        m_buffer >>= uint8_t(bits);
        m_count -= bits;
    }
    uint32_t Take(uint32_t bits)
    {
        const uint32_t value = uint32_t(m_buffer & Mask(bits));
        Drop(bits);
        return value;
    }
    qint64 Position() const { return qint64(m_next) * 8 - Count(); }
    bool Overrun() const { return Position() > qint64(m_size) * 8; }
    // Skips a stored block: aligns to the byte, reads its length and the length's complement,
    // and continues after its bytes. Called with at least 56 bits in the buffer.
    bool SkipStored(uint32_t* length)
    {
        Drop(Count() & 7);
        *length = Take(16);
        if (*length != (~Take(16) & 0xFFFF))
            return false;
        const qsizetype at = m_next - Count() / 8;
        if (at > m_size || *length > m_size - at)
            return false;
        m_next = at + *length;
        m_buffer = 0;
        m_count = 0;
        return true;
    }

private:
    uint32_t Count() const { return uint8_t(m_count); }

    const uint8_t* m_data;
    qsizetype m_size;
    qsizetype m_next = 0; // the next byte to load; may pass m_size while zeros are read
    uint64_t m_buffer = 0;
    uint32_t m_count = 0; // its low byte: the bits in m_buffer not yet taken
};

// Reads a dynamic block's code lengths and builds its two tables.
bool ReadDynamicTables(BitReader& in, Tables* tables)
{
    in.Refill();
    const int literalCount = int(in.Take(5)) + 257;
    const int distanceCount = int(in.Take(5)) + 1;
    const int codeLengthCount = int(in.Take(4)) + 4;
    if (literalCount > 286 || distanceCount > 30)
        return false;
    static constexpr uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    uint8_t codeLengths[19] = {};
    for (int i = 0; i < codeLengthCount; ++i) {
        in.Refill();
        codeLengths[kOrder[i]] = uint8_t(in.Take(3));
    }
    uint32_t codeTable[1 << kCodeLengthBits];
    if (!BuildTable(codeLengths, 19, kCodeLengthBits, false, codeTable, 1 << kCodeLengthBits,
                    kCodeLengthEntries.entry))
        return false;

    uint8_t lengths[286 + 30];
    const int total = literalCount + distanceCount;
    for (int n = 0; n < total;) {
        in.Refill();
        const uint32_t entry = codeTable[in.Peek() & Mask(kCodeLengthBits)];
        if (entry == kInvalid)
            return false;
        in.Drop(DropBits(entry));
        const uint32_t symbol = Base(entry);
        if (symbol < 16) {
            lengths[n++] = uint8_t(symbol);
            continue;
        }
        uint8_t value = 0;
        int repeat = 0;
        if (symbol == 16) {
            if (n == 0)
                return false;
            value = lengths[n - 1];
            repeat = 3 + int(in.Take(2));
        } else if (symbol == 17) {
            repeat = 3 + int(in.Take(3));
        } else {
            repeat = 11 + int(in.Take(7));
        }
        if (repeat > total - n)
            return false;
        std::fill_n(lengths + n, repeat, value);
        n += repeat;
    }
    if (lengths[256] == 0) // a block must be able to end
        return false;
    if (!BuildTable(lengths, literalCount, kLiteralBits, true, tables->literal, kLiteralTableSize,
                    kLiteralEntries.entry))
        return false;
    // Pairs need two literal codes within the primary bits.
    const uint8_t shortest = *std::min_element(
        lengths, lengths + 256, [](uint8_t a, uint8_t b) { return uint8_t(a - 1) < uint8_t(b - 1); });
    if (2 * shortest <= kLiteralBits)
        PairLiterals(tables->literal);
    return BuildTable(lengths + literalCount, distanceCount, kDistanceBits, true, tables->distance,
                      kDistanceTableSize, kDistanceEntries.entry);
}

// Walks a Huffman block's symbols up to its end, adding the bytes they stand for to *produced.
// False on an invalid symbol, a distance before the stream's start or more than `size` bytes.
bool WalkSymbols(BitReader& reader, const Tables& tables, qint64 size, qint64* produced)
{
    const uint32_t* literal = tables.literal;
    const uint32_t* distance = tables.distance;
    qint64 out = *produced;
    BitReader in = reader; // a local copy stays in registers
    for (;;) {
        in.Refill();
        uint32_t entry = literal[in.Peek() & Mask(kLiteralBits)];
        // Up to three literal codes (3 x 15 bits) follow each other without a refill: most
        // symbols are literals, and the refill would lengthen the chain from one to the next.
        if (entry & kLiteral) {
            in.Drop(entry);
            out += Base(entry);
            entry = literal[in.Peek() & Mask(kLiteralBits)];
            if (entry & kLiteral) {
                in.Drop(entry);
                out += Base(entry);
                entry = literal[in.Peek() & Mask(kLiteralBits)];
                if (entry & kLiteral) {
                    in.Drop(entry);
                    out += Base(entry);
                    if (out > size)
                        return false;
                    continue;
                }
            }
            if (out > size)
                return false;
            in.Refill(); // appends above the bits looked up: `entry` stands
        }
        // Now at most 15 + 5 + 15 + 13 bits are taken before the next refill.
        if (entry & kLink) {
            in.Drop(entry);
            entry = literal[Base(entry) + (in.Peek() & Mask(CodeBits(entry)))];
        }
        uint64_t bits = in.Peek();
        in.Drop(entry);
        if (!(entry & kMatch)) {
            if (entry & kLiteral) {
                if (++out > size)
                    return false;
                continue;
            }
            if (!(entry & kEnd))
                return false;
            *produced = out;
            reader = in;
            return true;
        }
        const uint32_t length = Base(entry) + ExtraValue(entry, bits);
        entry = distance[in.Peek() & Mask(kDistanceBits)];
        if (entry & kLink) {
            in.Drop(entry);
            entry = distance[Base(entry) + (in.Peek() & Mask(CodeBits(entry)))];
        }
        if (!(entry & kMatch))
            return false;
        bits = in.Peek();
        in.Drop(entry);
        const uint32_t back = Base(entry) + ExtraValue(entry, bits);
        if (back > out)
            return false;
        out += length;
        if (out > size)
            return false;
    }
}

} // namespace

bool MeasureDeflateStream(QByteArrayView stream, qsizetype size, qint64* lastBlockBit, qint64* endBit)
{
    BitReader in(reinterpret_cast<const uint8_t*>(stream.data()), stream.size());
    Tables dynamic; // not initialised: each dynamic block fills what it uses
    qint64 produced = 0;
    qint64 blockStart = 0;
    for (bool last = false; !last;) {
        if (in.Overrun())
            return false;
        in.Refill();
        blockStart = in.Position();
        last = in.Take(1) != 0;
        const uint32_t type = in.Take(2);
        if (type == 0) {
            uint32_t length = 0;
            if (!in.SkipStored(&length))
                return false;
            produced += length;
            if (produced > size)
                return false;
        } else if (type == 1) {
            if (!WalkSymbols(in, FixedTables(), size, &produced))
                return false;
        } else if (type == 2) {
            if (!ReadDynamicTables(in, &dynamic) || !WalkSymbols(in, dynamic, size, &produced))
                return false;
        } else {
            return false;
        }
    }
    if (in.Overrun() || produced != size)
        return false;
    *lastBlockBit = blockStart;
    *endBit = in.Position();
    return true;
}
