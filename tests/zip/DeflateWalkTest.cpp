// The block walk against zlib inflating the same streams a block at a time: the same bits for
// well-formed streams, the same refusal for damaged ones.
#include "zip/DeflateWalk.h"
#include "ZipTestUtil.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <libdeflate.h>
#include <vector>
#include <zlib.h>

using ziptest::Noise;
using ziptest::PhotoRows;

namespace {

struct Measure {
    bool ok = false;
    qint64 lastBlockBit = -1;
    qint64 endBit = -1;
    bool operator==(const Measure&) const = default;
};

void PrintTo(const Measure& m, std::ostream* os)
{
    *os << (m.ok ? "ok " : "refused ") << m.lastBlockBit << " " << m.endBit;
}

// zlib inflates the stream and stops between blocks; the bit after a block is the first unused one.
Measure Inflated(const QByteArray& stream, qsizetype size)
{
    z_stream inflater{};
    inflateInit2(&inflater, -15);
    inflater.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.constData()));
    inflater.avail_in = uInt(stream.size());
    std::vector<Bytef> sink(64 * 1024);
    Measure m;
    qint64 lastBlockBit = 0;
    int rc = Z_OK;
    while (rc == Z_OK) {
        inflater.next_out = sink.data();
        inflater.avail_out = uInt(sink.size());
        rc = inflate(&inflater, Z_BLOCK);
        if (rc == Z_OK && (inflater.data_type & 128)) {
            const qint64 bit = qint64(inflater.total_in) * 8 - (inflater.data_type & 7);
            if (inflater.data_type & 64) {
                m = {qsizetype(inflater.total_out) == size, lastBlockBit, bit};
                break;
            }
            lastBlockBit = bit;
        }
    }
    inflateEnd(&inflater);
    return m.ok ? m : Measure{};
}

// The walk over an exact-size copy, so that a read past the end is caught by the sanitizer.
Measure Walked(const QByteArray& stream, qsizetype size)
{
    const std::vector<char> exact(stream.begin(), stream.end());
    Measure m;
    m.ok = MeasureDeflateStream(QByteArrayView(exact.data(), qsizetype(exact.size())), size, &m.lastBlockBit,
                                &m.endBit);
    return m.ok ? m : Measure{};
}

QByteArray Libdeflate(const QByteArray& content, int level)
{
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(level);
    QByteArray out(qsizetype(libdeflate_deflate_compress_bound(compressor, size_t(content.size()))), '\0');
    out.resize(qsizetype(libdeflate_deflate_compress(compressor, content.constData(), size_t(content.size()),
                                                     out.data(), size_t(out.size()))));
    libdeflate_free_compressor(compressor);
    return out;
}

// zlib deflating parts with different settings, flushed between them: dynamic, stored (level 0
// and the empty block of a full flush), fixed-only and Huffman-only blocks in one stream.
QByteArray ZlibMixed(const QList<QByteArray>& parts)
{
    z_stream s{};
    deflateInit2(&s, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    const int settings[][2] = {
        {6, Z_DEFAULT_STRATEGY}, {0, Z_DEFAULT_STRATEGY}, {9, Z_FIXED}, {1, Z_HUFFMAN_ONLY}};
    QByteArray out;
    std::vector<Bytef> buffer(1 << 16);
    for (int i = 0; i < parts.size(); ++i) {
        deflateParams(&s, settings[i % 4][0], settings[i % 4][1]);
        s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(parts[i].constData()));
        s.avail_in = uInt(parts[i].size());
        const int flush = i + 1 == parts.size() ? Z_FINISH : Z_FULL_FLUSH;
        do {
            s.next_out = buffer.data();
            s.avail_out = uInt(buffer.size());
            deflate(&s, flush);
            out.append(reinterpret_cast<const char*>(buffer.data()), qsizetype(buffer.size() - s.avail_out));
        } while (s.avail_out == 0);
    }
    deflateEnd(&s);
    return out;
}

struct Sample {
    const char* name;
    QByteArray content;
    QByteArray stream;
};

QList<Sample> Samples()
{
    const QByteArray photo = PhotoRows(300000, 3);
    const QByteArray tiny = QByteArray("skin ").repeated(8) + "maker";
    const QByteArray mixed = PhotoRows(70000, 4) + Noise(40000, 5) + tiny.repeated(500) + PhotoRows(9000, 6);
    return {
        {"libdeflate 1", photo, Libdeflate(photo, 1)},
        {"libdeflate 6", photo, Libdeflate(photo, 6)},
        {"libdeflate 12", photo, Libdeflate(photo, 12)},
        {"noise (stored)", Noise(150000, 7), Libdeflate(Noise(150000, 7), 6)},
        {"tiny (fixed)", tiny, Libdeflate(tiny, 6)},
        {"empty", QByteArray(), Libdeflate(QByteArray(), 6)},
        {"zlib mixed", mixed,
         ZlibMixed(
             {mixed.left(70000), mixed.mid(70000, 40000), mixed.mid(110000, 10000), mixed.mid(120000)})},
    };
}

TEST(DeflateWalk, FindsTheBlocksZlibFinds)
{
    for (const Sample& sample : Samples()) {
        SCOPED_TRACE(sample.name);
        const Measure expected = Inflated(sample.stream, sample.content.size());
        ASSERT_TRUE(expected.ok);
        EXPECT_EQ(Walked(sample.stream, sample.content.size()), expected);
        // Bytes after the end are not part of the stream.
        EXPECT_EQ(Walked(sample.stream + QByteArray(9, '\xA5'), sample.content.size()), expected);
        // Another length than the stream's is refused.
        EXPECT_FALSE(Walked(sample.stream, sample.content.size() + 1).ok);
        if (!sample.content.isEmpty()) {
            EXPECT_FALSE(Walked(sample.stream, sample.content.size() - 1).ok);
        }
    }
}

TEST(DeflateWalk, RefusesWhatZlibRefuses)
{
    QRandomGenerator random(11);
    for (const Sample& sample : Samples()) {
        SCOPED_TRACE(sample.name);
        const QByteArray& stream = sample.stream;
        const qsizetype size = sample.content.size();
        // Cut short anywhere near the start or the end, or in the middle.
        for (qsizetype cut : {qsizetype(0), qsizetype(1), qsizetype(2), qsizetype(5), stream.size() / 2,
                              stream.size() - 9, stream.size() - 3, stream.size() - 1}) {
            if (cut >= 0 && cut < stream.size()) {
                EXPECT_FALSE(Walked(stream.left(cut), size).ok) << cut;
            }
        }
        // Single bit flips, half of them among the first block's header and code lengths: every
        // outcome, accepted or refused, is zlib's.
        for (int i = 0; i < 300; ++i) {
            QByteArray damaged = stream;
            const qsizetype span = i % 2 ? damaged.size() : std::min<qsizetype>(damaged.size(), 80);
            const qsizetype at = random.bounded(span);
            damaged[at] = char(damaged[at] ^ (1 << random.bounded(8)));
            EXPECT_EQ(Walked(damaged, size), Inflated(damaged, size)) << "byte " << at;
        }
    }
    // Handmade headers: a reserved block type, a stored length that does not match its
    // complement, a stored block longer than the data, a match before the first byte.
    for (const QByteArray& stream :
         {QByteArray("\x07", 1), QByteArray("\x01\x03\x00\xFF\xFF\xAA\xAA\xAA", 8),
          QByteArray("\x01\x05\x00\xFA\xFF\xAA\xAA", 7), QByteArray("\x03\x02\x00\x00", 4)}) {
        EXPECT_FALSE(Walked(stream, 3).ok) << stream.toHex().constData();
        EXPECT_EQ(Walked(stream, 3), Inflated(stream, 3));
    }
}

} // namespace
