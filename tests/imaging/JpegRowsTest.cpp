// JPEG rows decoded straight by libjpeg-turbo must be the rows of Qt's decode of the same file.
#include "imaging/JpegRows.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImageReader>
#include <QProcess>
#include <cmath>

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
    } kinds[] = {
        {"420.jpg", {"-sampling-factor", "4:2:0"}}, {"422.jpg", {"-sampling-factor", "4:2:2"}},
        {"444.jpg", {"-sampling-factor", "4:4:4"}}, {"progressive.jpg", {"-interlace", "JPEG"}},
        {"grey.jpg", {"-colorspace", "Gray"}},      {"restarts.jpg", {"-define", "jpeg:restart-interval=2"}}};
    // Bands starting and ending on, before and after the 8- and 16-row block edges.
    const std::pair<int, int> bands[] = {{0, 67},  {0, 1},   {15, 16}, {16, 33},
                                         {17, 40}, {31, 48}, {50, 67}, {66, 67}};
    for (const auto& kind : kinds) {
        const QByteArray bytes = Converted(dir, kind.name, kind.options);
        ASSERT_EQ(JpegDeclaredSize(bytes), QSize(101, 67)) << kind.name;
        for (const auto& [top, bottom] : bands) {
            const QImage rows = DecodeJpegRows(bytes, top, bottom);
            ASSERT_EQ(rows.format(), QImage::Format_ARGB32) << kind.name << " " << top;
            EXPECT_TRUE(rows == QtRows(bytes, top, bottom)) << kind.name << " rows " << top << ".." << bottom;
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
