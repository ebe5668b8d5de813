#include "imaging/BitmapFile.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QtEndian>

using skintest::ReadAll;
using skintest::ScratchDir;

namespace {

uint32_t U32(const QByteArray& b, int at)
{
    return qFromLittleEndian<uint32_t>(b.constData() + at);
}
uint16_t U16(const QByteArray& b, int at)
{
    return qFromLittleEndian<uint16_t>(b.constData() + at);
}

QImage Random(int w, int h, quint32 seed)
{
    QImage img(w, h, QImage::Format_ARGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, rng.generate());
    return img;
}

// Checks both headers of a 24-bit BMP written by this module.
void ExpectHeaders(const QByteArray& file, int width, int height)
{
    const uint32_t stride = ((24 * width + 31) / 32) * 4;
    ASSERT_GE(file.size(), 54);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(file, 2), 54 + stride * height); // bfSize
    EXPECT_EQ(U32(file, 6), 0u);                   // reserved
    EXPECT_EQ(U32(file, 10), 54u);                 // bfOffBits
    EXPECT_EQ(U32(file, 14), 40u);
    EXPECT_EQ(U32(file, 18), uint32_t(width));
    EXPECT_EQ(U32(file, 22), uint32_t(height)); // positive: bottom-up
    EXPECT_EQ(U16(file, 26), 1);
    EXPECT_EQ(U16(file, 28), 24);
    for (int at = 30; at < 54; at += 4) // compression, image size, resolutions, colour counts
        EXPECT_EQ(U32(file, at), 0u) << at;
    EXPECT_EQ(uint32_t(file.size()), 54 + stride * height);
}

// The blue, green, red bytes of pixel (x, y) (y from the top) of a bottom-up 24-bit BMP.
QRgb FilePixel(const QByteArray& file, int width, int height, int x, int y)
{
    const int stride = ((24 * width + 31) / 32) * 4;
    const auto* p = reinterpret_cast<const uchar*>(file.constData()) + 54 + (height - 1 - y) * stride + 3 * x;
    return qRgb(p[2], p[1], p[0]);
}

} // namespace

TEST(BitmapFile, SavesAHeaderStripAs24BitRowsBottomUp)
{
    ScratchDir dir;
    const QImage strip = Random(700, 61, 5);
    ASSERT_TRUE(SaveBitmapFile(dir.file("s.bmp"), strip));
    const QByteArray file = ReadAll(dir.file("s.bmp"));
    ASSERT_EQ(file.size(), 54 + 61 * 2100);
    ExpectHeaders(file, 700, 61);
    for (int y : {0, 30, 60})
        for (int x : {0, 1, 699})
            EXPECT_EQ(FilePixel(file, 700, 61, x, y), strip.pixel(x, y) | 0xFF000000u) << x << "," << y;
    // alpha is dropped, not multiplied in: a transparent pixel keeps its colour bytes
    QImage clear(1, 1, QImage::Format_ARGB32);
    clear.setPixel(0, 0, 0x00336699);
    ASSERT_TRUE(SaveBitmapFile(dir.file("c.bmp"), clear));
    EXPECT_EQ(FilePixel(ReadAll(dir.file("c.bmp")), 1, 1, 0, 0), 0xFF336699u);
}

TEST(BitmapFile, PadsRowsToFourBytesWithZeros)
{
    ScratchDir dir;
    QImage img(3, 2, QImage::Format_ARGB32);
    img.fill(0xFFFFFFFF);
    ASSERT_TRUE(SaveBitmapFile(dir.file("p.bmp"), img));
    const QByteArray file = ReadAll(dir.file("p.bmp"));
    ExpectHeaders(file, 3, 2);
    ASSERT_EQ(file.size(), 54 + 2 * 12);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(file.mid(54 + row * 12, 9), QByteArray(9, '\xFF'));
        EXPECT_EQ(file.mid(54 + row * 12 + 9, 3), QByteArray(3, '\0'));
    }
    // a real reader agrees
    QImage back(dir.file("p.bmp"));
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), QSize(3, 2));
    EXPECT_EQ(back.pixel(2, 1), 0xFFFFFFFFu);
}

TEST(BitmapFile, SaveFailures)
{
    ScratchDir dir;
    EXPECT_FALSE(SaveBitmapFile(dir.file("null.bmp"), QImage()));
    EXPECT_FALSE(QFile::exists(dir.file("null.bmp")));
    EXPECT_FALSE(SaveBitmapFile(dir.file("missing/folder/x.bmp"), Random(2, 2, 1)));
    // a device that takes no bytes: the failed write is reported
    if (QFile::exists("/dev/full")) {
        EXPECT_FALSE(SaveBitmapFile("/dev/full", Random(20, 20, 1)));
    }
    // an existing file is overwritten, not appended to
    ASSERT_TRUE(skintest::WriteAll(dir.file("old.bmp"), QByteArray(5000, 'x')));
    ASSERT_TRUE(SaveBitmapFile(dir.file("old.bmp"), Random(2, 2, 1)));
    EXPECT_EQ(ReadAll(dir.file("old.bmp")).size(), 54 + 2 * 8);
}

TEST(BitmapFile, JoinsTwoPicturesSideBySide)
{
    ScratchDir dir;
    QImage left = Random(100, 61, 11);
    QImage right = Random(50, 61, 12);
    // opaque, as the strips read back from a package are
    left = left.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32);
    right = right.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32);
    ASSERT_TRUE(SaveBitmapFile(dir.file("l.bmp"), left));
    ASSERT_TRUE(SaveBitmapFile(dir.file("r.bmp"), right));

    ASSERT_TRUE(JoinBitmapFiles(dir.file("l.bmp"), dir.file("r.bmp"), dir.file("j.bmp")));
    const QByteArray file = ReadAll(dir.file("j.bmp"));
    ExpectHeaders(file, 150, 61);
    ASSERT_EQ(file.size(), 54 + 61 * 452);
    for (int y = 0; y < 61; ++y) {
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(FilePixel(file, 150, 61, x, y), left.pixel(x, y)) << x << "," << y;
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(FilePixel(file, 150, 61, 100 + x, y), right.pixel(x, y)) << x << "," << y;
        // padding bytes 450, 451 of each row
        ASSERT_EQ(file.mid(54 + y * 452 + 450, 2), QByteArray(2, '\0'));
    }
}

TEST(BitmapFile, JoinComposesTransparencyOverBlack)
{
    ScratchDir dir;
    QImage png(2, 1, QImage::Format_ARGB32);
    png.setPixel(0, 0, 0x00FFFFFF); // fully transparent white
    png.setPixel(1, 0, 0xFF123456);
    ASSERT_TRUE(png.save(dir.file("a.png")));
    ASSERT_TRUE(JoinBitmapFiles(dir.file("a.png"), dir.file("a.png"), dir.file("j.bmp")));
    const QByteArray file = ReadAll(dir.file("j.bmp"));
    EXPECT_EQ(FilePixel(file, 4, 1, 0, 0), 0xFF000000u);
    EXPECT_EQ(FilePixel(file, 4, 1, 3, 0), 0xFF123456u);
}

TEST(BitmapFile, JoinRefusesWhatItCannotPair)
{
    ScratchDir dir;
    ASSERT_TRUE(SaveBitmapFile(dir.file("a.bmp"), Random(10, 61, 1)));
    ASSERT_TRUE(SaveBitmapFile(dir.file("b.bmp"), Random(10, 60, 2)));
    ASSERT_TRUE(SaveBitmapFile(dir.file("c.bmp"), Random(10, 62, 3)));
    EXPECT_FALSE(JoinBitmapFiles(dir.file("a.bmp"), dir.file("b.bmp"), dir.file("o1.bmp")));
    EXPECT_FALSE(JoinBitmapFiles(dir.file("a.bmp"), dir.file("c.bmp"), dir.file("o2.bmp")));
    EXPECT_FALSE(JoinBitmapFiles(dir.file("a.bmp"), dir.file("none.bmp"), dir.file("o3.bmp")));
    EXPECT_FALSE(JoinBitmapFiles(dir.file("none.bmp"), dir.file("a.bmp"), dir.file("o4.bmp")));
    for (const char* name : {"o1.bmp", "o2.bmp", "o3.bmp", "o4.bmp"})
        EXPECT_FALSE(QFile::exists(dir.file(name))) << name;
}
