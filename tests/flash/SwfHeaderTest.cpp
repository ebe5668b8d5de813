// The stage size read from movie headers: hand-made FWS, CWS and ZWS files and the generated samples.
#include "flash/core/SwfHeader.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>
#include <lzma.h>
#include <zlib.h>

using skintest::ScratchDir;

namespace {

// A frame-size rectangle packed most significant bit first, followed by rate and frame count.
QByteArray Body(int nbits, int xMin, int xMax, int yMin, int yMax)
{
    QByteArray bytes;
    uint64_t acc = 0;
    int held = 0;
    auto put = [&](uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) {
            acc = (acc << 1) | ((value >> i) & 1u);
            if (++held == 8) {
                bytes.append(static_cast<char>(acc));
                acc = 0;
                held = 0;
            }
        }
    };
    put(static_cast<uint32_t>(nbits), 5);
    for (int v : {xMin, xMax, yMin, yMax})
        put(static_cast<uint32_t>(v), nbits);
    if (held)
        put(0, 8 - held);
    return bytes + QByteArray("\x00\x0c\x01\x00", 4) + QByteArray(40, '\x00');
}

QByteArray Fws(const QByteArray& body)
{
    return "FWS" + QByteArray(5, '\x08') + body;
}

QByteArray Cws(const QByteArray& body)
{
    uLongf size = compressBound(static_cast<uLong>(body.size()));
    QByteArray packed(static_cast<qsizetype>(size), '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(body.data()),
              static_cast<uLong>(body.size()), 9);
    packed.resize(static_cast<qsizetype>(size));
    return "CWS" + QByteArray(5, '\x08') + packed;
}

QByteArray Zws(const QByteArray& body, uint32_t dictionarySize = 1u << 16)
{
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 6);
    options.dict_size = dictionarySize;
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    uint8_t properties[5];
    uint32_t propertiesSize = 0;
    EXPECT_EQ(lzma_properties_size(&propertiesSize, filters), LZMA_OK);
    EXPECT_EQ(lzma_properties_encode(filters, properties), LZMA_OK);
    QByteArray packed(body.size() + 1024, '\0');
    size_t written = 0;
    EXPECT_EQ(lzma_raw_buffer_encode(filters, nullptr, reinterpret_cast<const uint8_t*>(body.data()),
                                     static_cast<size_t>(body.size()),
                                     reinterpret_cast<uint8_t*>(packed.data()), &written,
                                     static_cast<size_t>(packed.size())),
              LZMA_OK);
    packed.resize(static_cast<qsizetype>(written));
    const auto length = static_cast<uint32_t>(written);
    return "ZWS" + QByteArray(5, '\x0d') + QByteArray(reinterpret_cast<const char*>(&length), 4) +
           QByteArray(reinterpret_cast<const char*>(properties), 5) + packed;
}

SwfFrameSize FromBytes(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadSwfFrameSize(buffer);
}

void ExpectSize(const SwfFrameSize& size, int width, int height)
{
    EXPECT_TRUE(size.ok);
    EXPECT_EQ(size.width, width);
    EXPECT_EQ(size.height, height);
}

void ExpectFailure(const SwfFrameSize& size)
{
    EXPECT_FALSE(size.ok);
    EXPECT_EQ(size.width, 0);
    EXPECT_EQ(size.height, 0);
}

} // namespace

TEST(SwfHeader, StageSizeInEveryCompression)
{
    const QByteArray body = Body(15, 0, 11000, 0, 8000);
    ExpectSize(FromBytes(Fws(body)), 550, 400);
    ExpectSize(FromBytes(Cws(body)), 550, 400);
    ExpectSize(FromBytes(Zws(body)), 550, 400);
}

TEST(SwfHeader, TwipsTruncateAndCoordinatesAreSigned)
{
    ExpectSize(FromBytes(Fws(Body(15, 0, 10999, 0, 19))), 549, 0);
    ExpectSize(FromBytes(Fws(Body(15, -100, 11000, -8000, 0))), 555, 400);
    ExpectSize(FromBytes(Fws(Body(31, -(1 << 30), (1 << 30) - 1, 0, 20))), 107374182, 1);
    ExpectSize(FromBytes(Fws(Body(0, 0, 0, 0, 0))), 0, 0);
    // An inverted rectangle is no stage.
    ExpectFailure(FromBytes(Fws(Body(15, 11000, 0, 0, 8000))));
}

TEST(SwfHeader, RefusesWhatIsNoMovie)
{
    ScratchDir dir;
    ExpectFailure(ReadSwfFrameSize(dir.file("missing.swf")));
    ExpectFailure(ReadSwfFrameSize(dir.path()));
    ASSERT_TRUE(skintest::WriteAll(dir.file("text.swf"), "FW plain text, not a movie\n"));
    ExpectFailure(ReadSwfFrameSize(dir.file("text.swf")));
    QImage picture(8, 8, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.file("picture.png")));
    ExpectFailure(ReadSwfFrameSize(dir.file("picture.png")));
    ExpectFailure(FromBytes({}));
    ExpectFailure(FromBytes("FWS"));
}

TEST(SwfHeader, DamagedOrShortBodiesFail)
{
    const QByteArray body = Body(15, 0, 11000, 0, 8000);
    QByteArray damaged = Cws(body);
    damaged[8] = '\x12'; // not a zlib header
    ExpectFailure(FromBytes(damaged));
    ExpectFailure(FromBytes("CWS\x08\x00\x00\x00\x00"));
    // The rectangle needs 8 bytes; 7 are there. No byte beyond them may be taken.
    ExpectFailure(FromBytes(Fws(body.left(7))));
    ExpectFailure(FromBytes(Cws(body.left(7))));
    ExpectFailure(FromBytes(Zws(body).left(8 + 9)));
    QByteArray badProperties = Zws(body);
    badProperties[12] = '\xff'; // lc/lp/pb out of range
    ExpectFailure(FromBytes(badProperties));
}

TEST(SwfHeader, HugeLzmaDictionaryIsNotAllocated)
{
    // A 4 GiB dictionary in the properties: the first bytes still decode, with a small dictionary.
    QByteArray movie = Zws(Body(15, 0, 11000, 0, 8000));
    const uint32_t huge = 0xFFFFFFFFu;
    movie.replace(13, 4, QByteArray(reinterpret_cast<const char*>(&huge), 4));
    ExpectSize(FromBytes(movie), 550, 400);
}

TEST(SwfHeader, OnlyTheHeaderIsRead)
{
    // A long movie: reading stops after the signature and the first 1024 body bytes.
    QByteArray buffer = Fws(Body(15, 0, 11000, 0, 8000)) + QByteArray(100000, 'x');
    QBuffer device(&buffer);
    device.open(QIODevice::ReadOnly);
    ExpectSize(ReadSwfFrameSize(device), 550, 400);
    EXPECT_EQ(device.pos(), 8 + 1024);
}

TEST(SwfHeader, GeneratedSamples)
{
    const QString folder = QStringLiteral(SKIN_SOURCE_DIR "/res/flash/");
    ExpectSize(ReadSwfFrameSize(folder + "clock.swf"), 80, 80);
    ExpectSize(ReadSwfFrameSize(folder + "clock-compressed.swf"), 80, 80);
    ExpectSize(ReadSwfFrameSize(folder + "weather.swf"), 120, 60);
    ExpectSize(ReadSwfFrameSize(folder + "meter.swf"), 200, 60);
}

namespace {
QByteArray WithLength(QByteArray movie, qsizetype length)
{
    for (int i = 0; i < 4; ++i)
        movie[4 + i] = static_cast<char>((static_cast<quint32>(length) >> (8 * i)) & 0xFF);
    return movie;
}
} // namespace

// A whole movie is exactly as long as its header says, once decompressed; anything cut short,
// padded, followed by other bytes or merely starting like a movie is not.
TEST(SwfHeader, WholeMovieIsAsLongAsItsHeaderSays)
{
    const QByteArray body = Body(15, 0, 11000, 0, 8000);
    const qsizetype length = 8 + body.size();
    for (const QByteArray& movie :
         {WithLength(Fws(body), length), WithLength(Cws(body), length), WithLength(Zws(body), length)}) {
        const char kind = movie[0];
        EXPECT_TRUE(IsWholeSwf(movie)) << kind;
        EXPECT_FALSE(IsWholeSwf(movie + "<html>")) << kind;
        EXPECT_FALSE(IsWholeSwf(movie.left(movie.size() - 1))) << kind;
        EXPECT_FALSE(IsWholeSwf(WithLength(movie, length + 1))) << kind;
        EXPECT_FALSE(IsWholeSwf(WithLength(movie, length - 1))) << kind;
    }
    EXPECT_FALSE(IsWholeSwf(WithLength(Fws(body), 0x7FFFFFFF)));
    EXPECT_FALSE(IsWholeSwf(QByteArray("FWS\x08\x08\x00\x00\x00", 8).left(7)));
    EXPECT_FALSE(IsWholeSwf(WithLength("XWS\x08" + QByteArray(4, '\0') + body, length)));
    const QByteArray clock = skintest::ReadAll(SKIN_SOURCE_DIR "/res/flash/clock.swf");
    EXPECT_TRUE(IsWholeSwf(clock));
    EXPECT_TRUE(IsWholeSwf(skintest::ReadAll(SKIN_SOURCE_DIR "/res/flash/clock-compressed.swf")));
    EXPECT_FALSE(IsWholeSwf(clock.left(40) + "<html><body>gateway login</body></html>"));
}
