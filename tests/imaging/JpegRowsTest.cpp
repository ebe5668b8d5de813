// JPEG rows decoded straight by libjpeg-turbo must be the rows of Qt's decode of the same file.
#include "imaging/JpegRows.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImageReader>
#include <QProcess>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <string>

using skintest::ReadAll;
using skintest::ScratchDir;

namespace {

// Smooth colours with fine detail, so that upsampling and the transform both show in the pixels.
QImage Photo(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(
                x, y, qRgb((x * 7 + y) % 256, int(128 + 100 * std::sin(x / 5.0 + y / 3.0)), (x ^ y) % 256));
    return image;
}

// The file ImageMagick makes of the photo with the given options.
QByteArray Converted(const ScratchDir& dir, const QString& name, const QStringList& options)
{
    const QString source = dir.file("source.png");
    if (!QFile::exists(source)) {
        EXPECT_TRUE(Photo(101, 67).save(source));
    }
    const QString jpeg = dir.file(name);
    EXPECT_EQ(
        QProcess::execute("convert", QStringList{source, "-quality", "85"} + options + QStringList{jpeg}), 0);
    return ReadAll(jpeg);
}

// The photo as a baseline JPEG with a restart marker after every row of blocks (which
// ImageMagick cannot write), made with libjpeg itself.
QByteArray WithRestarts(const QImage& photo)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(photo.width());
    info.image_height = JDIMENSION(photo.height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    info.restart_in_rows = 1;
    jpeg_start_compress(&info, TRUE);
    const QImage rgb = photo.convertToFormat(QImage::Format_RGB32);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uchar*>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

QImage QtRows(const QByteArray& bytes, int top, int bottom)
{
    QImage whole = QImage::fromData(bytes, "JPG").convertToFormat(QImage::Format_ARGB32);
    return whole.copy(0, top, whole.width(), bottom - top);
}

} // namespace

TEST(JpegRows, EveryKindOfJpegGivesQtsRowsForAnyBand)
{
    ScratchDir dir;
    const struct {
        const char* name;
        QStringList options;
    } kinds[] = {{"420.jpg", {"-sampling-factor", "4:2:0"}},
                 {"422.jpg", {"-sampling-factor", "4:2:2"}},
                 {"444.jpg", {"-sampling-factor", "4:4:4"}},
                 {"progressive.jpg", {"-interlace", "JPEG"}},
                 {"grey.jpg", {"-colorspace", "Gray"}}};
    QList<std::pair<std::string, QByteArray>> files;
    for (const auto& kind : kinds)
        files.append({kind.name, Converted(dir, kind.name, kind.options)});
    files.append({"restarts.jpg", WithRestarts(Photo(101, 67))});
    ASSERT_TRUE(files.last().second.contains("\xFF\xDD")); // the restart interval is declared
    // Bands starting and ending on, before and after the 8- and 16-row block edges.
    const std::pair<int, int> bands[] = {{0, 67},  {0, 1},   {15, 16}, {16, 33},
                                         {17, 40}, {31, 48}, {50, 67}, {66, 67}};
    for (const auto& [name, bytes] : files) {
        ASSERT_EQ(JpegDeclaredSize(bytes), QSize(101, 67)) << name;
        for (const auto& [top, bottom] : bands) {
            const QImage rows = DecodeJpegRows(bytes, top, bottom);
            ASSERT_EQ(rows.format(), QImage::Format_ARGB32) << name << " " << top;
            EXPECT_TRUE(rows == QtRows(bytes, top, bottom)) << name << " rows " << top << ".." << bottom;
        }
    }
}

// What the direct decoder does not take, or cannot decode faithfully, is left to the caller.
TEST(JpegRows, RefusesWhatItDoesNotDecodeAsQtDoes)
{
    ScratchDir dir;
    const QByteArray plain = Converted(dir, "plain.jpg", {});
    EXPECT_TRUE(DecodeJpegRows(Converted(dir, "cmyk.jpg", {"-colorspace", "CMYK"}), 0, 10).isNull());
    EXPECT_TRUE(DecodeJpegRows(plain, 10, 68).isNull());
    EXPECT_TRUE(DecodeJpegRows(plain, 10, 10).isNull());
    EXPECT_TRUE(DecodeJpegRows(plain, -1, 10).isNull());
    EXPECT_TRUE(DecodeJpegRows(QByteArray("not a picture"), 0, 1).isNull());
    EXPECT_FALSE(JpegDeclaredSize(QByteArray("\xFF\xD8\xFF", 3)).isValid());

    // Scan data cut short or overwritten: the decoder warns, and the rows are not taken.
    const qsizetype scan = plain.indexOf("\xFF\xDA") + 20;
    EXPECT_TRUE(DecodeJpegRows(plain.left(scan + 40), 0, 67).isNull());
    QByteArray damaged = plain;
    for (qsizetype i = scan + 10; i < scan + 60; ++i)
        damaged[i] = char(0xFF);
    EXPECT_TRUE(DecodeJpegRows(damaged, 0, 67).isNull());
}
