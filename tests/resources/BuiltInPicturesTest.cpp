// The built-in pictures: exact sizes and formats read from the raw bytes, the overlays'
// transparency, and the player pieces fitting together.
#include "support/TestSupport.h"

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

struct Size {
    int id;
    int width;
    int height;
};

constexpr Size kBitmaps[] = {{118, 704, 64},  {119, 704, 416}, {154, 704, 480}, {135, 704, 77},
                             {136, 704, 149}, {159, 850, 141}, {134, 349, 221}, {176, 230, 89},
                             {175, 223, 96},  {160, 197, 127}, {174, 185, 128}, {173, 21, 20}};
constexpr Size kPngs[] = {{4, 704, 61}, {137, 700, 61}, {158, 18, 18}};

QString SourcePath(const QString& relative)
{
    return QStringLiteral(SKIN_SOURCE_DIR "/") + relative;
}

QByteArray Resource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint32 U32(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}
quint16 U16(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}
quint32 BigU32(const QByteArray& bytes, int offset)
{
    return qFromBigEndian<quint32>(bytes.constData() + offset);
}

QImage Png(int id)
{
    return QImage(QStringLiteral(":/res/png/%1.png").arg(id)).convertToFormat(QImage::Format_ARGB32);
}
QImage Bitmap(int id)
{
    return QImage(QStringLiteral(":/res/bitmap/%1.bmp").arg(id)).convertToFormat(QImage::Format_RGB32);
}

int Luma(QRgb pixel)
{
    return (qRed(pixel) * 30 + qGreen(pixel) * 59 + qBlue(pixel) * 11) / 100;
}

// Checks the raw header of a PNG file: signature, IHDR size, 8 bits, RGBA, no interlace.
void ExpectRgbaPng(const QByteArray& bytes, int width, int height, const QString& name)
{
    SCOPED_TRACE(name.toStdString());
    ASSERT_GE(bytes.size(), 33);
    EXPECT_EQ(bytes.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(bytes.mid(12, 4), QByteArray("IHDR"));
    EXPECT_EQ(BigU32(bytes, 16), static_cast<quint32>(width));
    EXPECT_EQ(BigU32(bytes, 20), static_cast<quint32>(height));
    EXPECT_EQ(static_cast<int>(bytes[24]), 8); // bit depth
    EXPECT_EQ(static_cast<int>(bytes[25]), 6); // colour type: RGBA
    EXPECT_EQ(static_cast<int>(bytes[28]), 0); // no interlace
}

} // namespace

TEST(BuiltInPictures, BitmapsAreUncompressed24BitBottomUpAtTheirSizes)
{
    for (const Size& want : kBitmaps) {
        const QString name = QStringLiteral("res/bitmap/%1.bmp").arg(want.id);
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = Resource(QStringLiteral(":/") + name);
        ASSERT_TRUE(bytes == skintest::ReadAll(SourcePath(name))) << "compiled-in copy differs from res/";
        ASSERT_GE(bytes.size(), 54);
        const int stride = (want.width * 3 + 3) & ~3;
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(U32(bytes, 2), static_cast<quint32>(bytes.size()));
        EXPECT_EQ(U32(bytes, 10), 54u); // pixels right after the headers
        EXPECT_EQ(U32(bytes, 14), 40u); // BITMAPINFOHEADER
        EXPECT_EQ(static_cast<qint32>(U32(bytes, 18)), want.width);
        EXPECT_EQ(static_cast<qint32>(U32(bytes, 22)), want.height); // positive: bottom-up
        EXPECT_EQ(U16(bytes, 26), 1);
        EXPECT_EQ(U16(bytes, 28), 24);
        EXPECT_EQ(U32(bytes, 30), 0u); // BI_RGB
        EXPECT_EQ(bytes.size(), 54 + stride * want.height);
        const QImage decoded = Bitmap(want.id);
        EXPECT_EQ(decoded.size(), QSize(want.width, want.height));
    }
}

TEST(BuiltInPictures, PngsAndIconsAreEightBitRgba)
{
    for (const Size& want : kPngs) {
        const QString name = QStringLiteral("res/png/%1.png").arg(want.id);
        const QByteArray bytes = Resource(QStringLiteral(":/") + name);
        EXPECT_TRUE(bytes == skintest::ReadAll(SourcePath(name))) << "compiled-in copy differs from res/";
        ExpectRgbaPng(bytes, want.width, want.height, name);
        EXPECT_EQ(Png(want.id).size(), QSize(want.width, want.height));
    }
    ExpectRgbaPng(Resource(QStringLiteral(":/res/icon/128.png")), 256, 256, QStringLiteral("icon 128"));
    for (int size : {128, 64, 48, 32, 16})
        ExpectRgbaPng(Resource(QStringLiteral(":/res/icon/128-%1.png").arg(size)), size, size,
                      QStringLiteral("icon 128-%1").arg(size));
}

TEST(BuiltInPictures, SamplePhotoIsLargeAndNotCompiledIn)
{
    const QImage sample(SourcePath(QStringLiteral("res/sample/sample.jpg")));
    ASSERT_FALSE(sample.isNull());
    EXPECT_GE(sample.width(), 1600);
    EXPECT_GE(sample.height(), 500);
    EXPECT_FALSE(QFile::exists(QStringLiteral(":/res/sample/sample.jpg")));
}

TEST(BuiltInPictures, OverlaysHaveTabCaptionsOnTheirRowsAndAreClearElsewhere)
{
    struct Overlay {
        int id;
        int textTop; // first row of the caption ink
        bool lightText;
    };
    for (const Overlay& o : {Overlay{4, 38, false}, Overlay{137, 37, true}}) {
        SCOPED_TRACE(o.id);
        const QImage overlay = Png(o.id);
        ASSERT_FALSE(overlay.isNull());
        int opaqueText = 0;
        for (int y = 0; y < overlay.height(); ++y) {
            for (int x = 0; x < overlay.width(); ++x) {
                const QRgb pixel = overlay.pixel(x, y);
                const bool captionRows = y >= o.textTop && y <= o.textTop + 10;
                if (captionRows && qAlpha(pixel) == 255) {
                    ++opaqueText;
                    if (o.lightText) {
                        EXPECT_GT(Luma(pixel), 200) << x << "," << y;
                    } else {
                        EXPECT_LT(Luma(pixel), 80) << x << "," << y;
                    }
                }
                // The captions keep to their eleven rows in the left half; the title band between
                // logo and window buttons and the rows below the current-tab bar are clear.
                const bool besideCaptions =
                    (y >= o.textTop - 3 && y < o.textTop) || y == o.textTop + 11 || y == o.textTop + 12;
                const bool clear = (captionRows && x >= 350) || besideCaptions ||
                                   (y < 34 && x >= 200 && x < 540) || y >= o.textTop + 17;
                if (clear) {
                    ASSERT_EQ(qAlpha(pixel), 0) << x << "," << y;
                }
            }
        }
        EXPECT_GT(opaqueText, 100);
    }
}

TEST(BuiltInPictures, WhiteTextOverlayHasTheSameMarksOnePixelUpTwoLeft)
{
    const QImage dark = Png(4);
    const QImage light = Png(137);
    // Logo and window buttons (rows above the captions) match pixel for pixel after the shift.
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < light.width(); ++x)
            ASSERT_EQ(light.pixel(x, y), dark.pixel(x + 2, y + 1)) << x << "," << y;
    // The captions have the same shape in the other colour.
    for (int y = 37; y < 48; ++y)
        for (int x = 0; x < light.width(); ++x)
            ASSERT_EQ(qAlpha(light.pixel(x, y)), qAlpha(dark.pixel(x + 2, y + 1))) << x << "," << y;
}

TEST(BuiltInPictures, PlayerPiecesMakeTheSameWindow)
{
    const QImage whole = Bitmap(154);
    const QImage top = Bitmap(118);
    const QImage rest = Bitmap(119);
    const QImage band = Bitmap(135);
    ASSERT_FALSE(whole.isNull());
    EXPECT_EQ(top, whole.copy(0, 0, 704, 64));
    EXPECT_EQ(rest, whole.copy(0, 64, 704, 416));
    EXPECT_EQ(band, whole.copy(0, 64, 704, 77));
    // The wide player's body rows continue the same design: same frame colour at the corner.
    EXPECT_EQ(Bitmap(159).pixel(0, 0), whole.pixel(0, 0));
}

TEST(BuiltInPictures, RecolouredPiecesHaveNoPureBlackAndEnoughColouredChrome)
{
    // Pure black is never recoloured, and grey pixels only take the main colour's hue weakly:
    // the chrome must be coloured for the preview to show the user's colour.
    for (int id : {118, 119, 154, 135, 159}) {
        SCOPED_TRACE(id);
        const QImage picture = Bitmap(id);
        qint64 coloured = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QColor colour = QColor::fromRgb(picture.pixel(x, y));
                ASSERT_NE(colour.rgb() & 0xFFFFFF, 0u) << x << "," << y;
                if (colour.hslSaturationF() > 0.4f)
                    ++coloured;
            }
        }
        EXPECT_GT(coloured * 4, static_cast<qint64>(picture.width()) * picture.height())
            << "less than a quarter of the pixels carry colour";
    }
}

TEST(BuiltInPictures, BitmapsDecodeUprightAndUnskewed)
{
    // Upright: the light playlist is in the middle, the dark transport bar at the bottom.
    const QImage player = Bitmap(154);
    const auto meanLuma = [&](int top, int bottom) {
        qint64 sum = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 160; x < 690; ++x)
                sum += Luma(player.pixel(x, y));
        return sum / ((bottom - top) * 530);
    };
    EXPECT_GT(meanLuma(130, 400), 200);
    EXPECT_LT(meanLuma(425, 475), 130);

    // Unskewed: rows of odd widths carry padding; a wrong row length would drag the pictures'
    // content sideways into their light edge columns.
    for (int id : {134, 173, 174, 175, 176, 160}) {
        SCOPED_TRACE(id);
        const QImage picture = Bitmap(id);
        for (int y = 0; y < picture.height(); ++y) {
            ASSERT_GT(Luma(picture.pixel(0, y)), 200) << y;
            ASSERT_GT(Luma(picture.pixel(picture.width() - 1, y)), 200) << y;
        }
    }
}

TEST(BuiltInPictures, IconsComeDrawnAtTwiceTheirSizeToo)
{
    // The same icon, not another picture: its 2x rendition shrunk to 1x stays close to the 1x one.
    const auto expectTwice = [](const QString& name, const QImage& once, QImage twice) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(Resource(QStringLiteral(":/") + name) == skintest::ReadAll(SourcePath(name)));
        ASSERT_EQ(twice.size(), once.size() * 2);
        twice = twice.convertToFormat(QImage::Format_ARGB32)
                    .scaled(once.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        double difference = 0;
        for (int y = 0; y < once.height(); ++y)
            for (int x = 0; x < once.width(); ++x)
                difference += std::abs(Luma(once.pixel(x, y)) - Luma(twice.pixel(x, y))) +
                              std::abs(qAlpha(once.pixel(x, y)) - qAlpha(twice.pixel(x, y)));
        EXPECT_LT(difference / (once.width() * once.height()), 24.0);
    };
    expectTwice(QStringLiteral("res/bitmap/173@2x.bmp"), Bitmap(173),
                QImage(QStringLiteral(":/res/bitmap/173@2x.bmp")));
    expectTwice(QStringLiteral("res/png/158@2x.png"), Png(158),
                QImage(QStringLiteral(":/res/png/158@2x.png")));
    ExpectRgbaPng(Resource(QStringLiteral(":/res/icon/128-512.png")), 512, 512,
                  QStringLiteral("icon 128-512"));
}
