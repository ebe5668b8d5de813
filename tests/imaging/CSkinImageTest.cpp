#include "imaging/CSkinImage.h"

#include "imaging/BitmapFile.h"
#include "imaging/ImageLoading.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QRandomGenerator>
#include <QtEndian>

using skintest::ReadAll;
using skintest::ScratchDir;
using skintest::WriteAll;

namespace {

QImage Random(int w, int h, quint32 seed, bool opaque)
{
    QImage img(w, h, QImage::Format_ARGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, rng.generate() | (opaque ? 0xFF000000u : 0u));
    return img;
}

QString SavedPng(const ScratchDir& dir, const QString& name, const QImage& img)
{
    const QString path = dir.file(name);
    EXPECT_TRUE(img.save(path, "PNG"));
    return path;
}

QByteArray Encoded(const QImage& img, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(img.save(&buffer, format));
    return bytes;
}

} // namespace

TEST(CSkinImage, LoadsPicturesKeepingAlpha)
{
    ScratchDir dir;
    const QImage img = Random(7, 5, 1, false);
    CSkinImage image;
    EXPECT_FALSE(image.HasPicture());
    EXPECT_EQ(image.GetSize(), QSize(0, 0));
    ASSERT_TRUE(image.LoadFromFile(SavedPng(dir, "a.png", img)));
    EXPECT_TRUE(image.HasPicture());
    EXPECT_EQ(image.GetSize(), QSize(7, 5));
    EXPECT_EQ(image.Picture().format(), QImage::Format_ARGB32);
    EXPECT_EQ(image.Picture(), img);

    // a BMP and a JPEG load as well
    ASSERT_TRUE(SaveBitmapFile(dir.file("b.bmp"), img));
    ASSERT_TRUE(image.LoadFromFile(dir.file("b.bmp")));
    EXPECT_EQ(image.Picture().pixel(3, 2), img.pixel(3, 2) | 0xFF000000u);
    ASSERT_TRUE(WriteAll(dir.file("c.jpg"), Encoded(img.convertToFormat(QImage::Format_RGB32), "JPEG")));
    ASSERT_TRUE(image.LoadFromFile(dir.file("c.jpg")));
    EXPECT_EQ(image.GetSize(), QSize(7, 5));
}

TEST(CSkinImage, UndecodableFilesGiveFalse)
{
    ScratchDir dir;
    const QByteArray png = Encoded(Random(64, 64, 2, false), "PNG");
    const QByteArray jpeg = Encoded(Random(64, 64, 3, true), "JPEG");
    const QByteArray bmp = [&] {
        EXPECT_TRUE(SaveBitmapFile(dir.file("whole.bmp"), Random(64, 64, 4, true)));
        return ReadAll(dir.file("whole.bmp"));
    }();
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty.jpg", QByteArray()},
        {"text.png", QByteArray("this is not a picture\n")},
        {"cut.png", png.left(png.size() / 2)},
        {"head.jpg", jpeg.left(40)},
        {"cut.jpg", jpeg.left(jpeg.size() * 2 / 3)},
        {"cut.bmp", bmp.left(60)},
        {"header.bmp", bmp.left(54)},
    };
    const QImage good = Random(3, 3, 5, true);
    const QString goodPath = SavedPng(dir, "good.png", good);
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteAll(dir.file(c.name), c.bytes));
        CSkinImage image;
        EXPECT_FALSE(image.LoadFromFile(dir.file(c.name))) << c.name;
        EXPECT_FALSE(image.HasPicture()) << c.name;

        ASSERT_TRUE(image.LoadFromFile(goodPath));
        const QImage* scaled = image.GetScaledBitmap(2, 2, ResampleFilter::Hermite);
        const QImage* cropped = image.GetCroppedScaledBitmap(2, 1, {0, 0, 3, 2}, ResampleFilter::Hermite);
        ASSERT_NE(scaled, nullptr);
        ASSERT_NE(cropped, nullptr);
        const QImage scaledBefore = *scaled;
        const QImage croppedBefore = *cropped;
        EXPECT_FALSE(image.LoadFromFile(dir.file(c.name))) << c.name;
        // the picture held before and its renditions survive the failed load
        EXPECT_TRUE(image.HasPicture()) << c.name;
        EXPECT_EQ(image.Picture(), good) << c.name;
        EXPECT_EQ(image.GetScaledBitmap(2, 2, ResampleFilter::Hermite), scaled) << c.name;
        EXPECT_EQ(*scaled, scaledBefore) << c.name;
        EXPECT_EQ(image.GetCroppedScaledBitmap(2, 1, {0, 0, 3, 2}, ResampleFilter::Hermite), cropped)
            << c.name;
        EXPECT_EQ(*cropped, croppedBefore) << c.name;
    }
    CSkinImage image;
    ASSERT_TRUE(image.LoadFromFile(goodPath));
    EXPECT_FALSE(image.LoadFromFile(dir.file("does-not-exist.jpg")));
    EXPECT_FALSE(image.LoadFromFile(dir.path()));
    EXPECT_EQ(image.Picture(), good);
}

TEST(CSkinImage, JpegEndIsFoundPastAnEmbeddedThumbnail)
{
    ScratchDir dir;
    const QByteArray thumb = Encoded(Random(8, 8, 20, true), "JPEG");
    const QByteArray photo = Encoded(Random(80, 60, 21, true), "JPEG");
    // an APP1 segment carrying a whole small JPEG (with its own end marker), as cameras write
    QByteArray app1 = QByteArray("Exif\0\0", 6) + thumb;
    const int length = int(app1.size()) + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char(length >> 8)).append(char(length & 0xFF)).append(app1);
    const QByteArray withThumb = photo.left(2) + segment + photo.mid(2);

    CSkinImage image;
    ASSERT_TRUE(WriteAll(dir.file("whole.jpg"), withThumb + QByteArray("trailing bytes")));
    EXPECT_TRUE(image.LoadFromFile(dir.file("whole.jpg")));
    EXPECT_EQ(image.GetSize(), QSize(80, 60));
    ASSERT_TRUE(WriteAll(dir.file("cut.jpg"), withThumb.left(withThumb.size() - 300)));
    EXPECT_FALSE(image.LoadFromFile(dir.file("cut.jpg")));
}

// Qt's default allocation limit (256 MB) would refuse this 9000 x 8000 picture.
TEST(CSkinImage, LoadsPicturesLargerThanQtsDefaultLimit)
{
    ScratchDir dir;
    {
        QImage big(9000, 8000, QImage::Format_RGB32);
        big.fill(0xFF402010);
        ASSERT_TRUE(big.save(dir.file("big.jpg"), "JPEG", 50));
    }
    CSkinImage image;
    ASSERT_TRUE(image.LoadFromFile(dir.file("big.jpg")));
    EXPECT_EQ(image.GetSize(), QSize(9000, 8000));
    const QImage* fitted = image.GetScaledBitmap(700, 467, ResampleFilter::Hermite);
    ASSERT_NE(fitted, nullptr);
    EXPECT_EQ(fitted->size(), QSize(700, 467));
}

TEST(CSkinImage, HBitmapIsComposedOverOpaqueBlack)
{
    QImage img(3, 1, QImage::Format_ARGB32);
    img.setPixel(0, 0, 0x00FFFFFF);
    img.setPixel(1, 0, 0x80FF8040);
    img.setPixel(2, 0, 0xFF123456);
    ScratchDir dir;
    CSkinImage image;
    EXPECT_TRUE(image.GetHBitmap().isNull());
    ASSERT_TRUE(image.LoadFromFile(SavedPng(dir, "a.png", img)));
    const QImage bitmap = image.GetHBitmap();
    ASSERT_EQ(bitmap.format(), QImage::Format_ARGB32);
    EXPECT_EQ(bitmap.pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(bitmap.pixel(1, 0), qPremultiply(0x80FF8040) | 0xFF000000u);
    EXPECT_EQ(qRed(bitmap.pixel(1, 0)), 128);
    EXPECT_EQ(bitmap.pixel(2, 0), 0xFF123456u);
}

TEST(CSkinImage, OpaquePictureIsItsOwnHBitmap)
{
    // shared rather than copied: a photo's bitmap would double the memory it takes
    QImage img(4, 3, QImage::Format_ARGB32);
    img.fill(0xFF204060u);
    ScratchDir dir;
    CSkinImage image;
    ASSERT_TRUE(image.LoadFromFile(SavedPng(dir, "a.png", img)));
    EXPECT_EQ(image.GetHBitmap().cacheKey(), image.Picture().cacheKey());
    img.setPixel(3, 2, 0xFE204060u);
    ASSERT_TRUE(image.LoadFromFile(SavedPng(dir, "b.png", img)));
    EXPECT_NE(image.GetHBitmap().cacheKey(), image.Picture().cacheKey());
}

TEST(CSkinImage, LargePhotoDecodesAsQtDecodesIt)
{
    // big enough to be decoded into a picture made in large pages
    const QByteArray jpeg = Encoded(Random(1500, 1000, 30, true), "JPEG");
    QImage expected;
    ASSERT_TRUE(expected.loadFromData(jpeg, "JPEG"));
    const QImage decoded = DecodePictureBytes(jpeg);
    ASSERT_EQ(decoded.format(), QImage::Format_ARGB32);
    EXPECT_EQ(decoded, expected.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(reinterpret_cast<quintptr>(decoded.constBits()) % (quintptr(2) << 20), 0u)
        << "the decoder did not fill the picture made for it";
}

TEST(CSkinImage, ScaledRenditionIsCachedPerSize)
{
    ScratchDir dir;
    const QImage img = Random(40, 20, 6, true);
    CSkinImage image;
    EXPECT_EQ(image.GetScaledBitmap(10, 10, ResampleFilter::Hermite), nullptr);
    ASSERT_TRUE(image.LoadFromFile(SavedPng(dir, "a.png", img)));

    // own size: the picture itself, unresampled
    const QImage* own = image.GetScaledBitmap(40, 20, ResampleFilter::Hermite);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(*own, img);

    const QImage* small = image.GetScaledBitmap(10, 5, ResampleFilter::Hermite);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(*small, ResampleBitmap(img, 10, 5, ResampleFilter::Hermite).image);
    const qint64 key = small->cacheKey();
    // same size again: the kept rendition, not a new one
    EXPECT_EQ(image.GetScaledBitmap(10, 5, ResampleFilter::Hermite)->cacheKey(), key);
    // another size replaces it
    EXPECT_EQ(image.GetScaledBitmap(11, 5, ResampleFilter::Hermite)->size(), QSize(11, 5));
    // a failing resample keeps nothing
    EXPECT_EQ(image.GetScaledBitmap(12, 5, ResampleFilter::None), nullptr);
    // sizes are clamped by the resampler
    EXPECT_EQ(image.GetScaledBitmap(0, 5000, ResampleFilter::Hermite)->size(), QSize(1, 4096));

    image.Release();
    EXPECT_FALSE(image.HasPicture());
    EXPECT_EQ(image.GetScaledBitmap(10, 5, ResampleFilter::Hermite), nullptr);
}

TEST(CSkinImage, CroppedRenditionHitsOnlyForSameSizeAndSource)
{
    ScratchDir dir;
    const QImage img = Random(50, 30, 7, false);
    CSkinImage image;
    ASSERT_TRUE(image.LoadFromFile(SavedPng(dir, "a.png", img)));

    const SkinRect source{10, 5, 40, 25};
    const QImage* first = image.GetCroppedScaledBitmap(15, 10, source, ResampleFilter::Hermite);
    ASSERT_NE(first, nullptr);
    // the cut keeps alpha: the picture's bytes as they are, then resampled
    EXPECT_EQ(*first, ResampleBitmap(img.copy(10, 5, 30, 20), 15, 10, ResampleFilter::Hermite).image);
    const qint64 key = first->cacheKey();
    EXPECT_EQ(image.GetCroppedScaledBitmap(15, 10, source, ResampleFilter::Hermite)->cacheKey(), key);

    const QImage* moved =
        image.GetCroppedScaledBitmap(15, 10, SkinRect{11, 5, 41, 25}, ResampleFilter::Hermite);
    ASSERT_NE(moved, nullptr);
    EXPECT_NE(moved->cacheKey(), key);
    EXPECT_EQ(*moved, ResampleBitmap(img.copy(11, 5, 30, 20), 15, 10, ResampleFilter::Hermite).image);

    // the two renditions are independent caches
    const QImage* scaled = image.GetScaledBitmap(25, 15, ResampleFilter::Hermite);
    const qint64 movedKey =
        image.GetCroppedScaledBitmap(15, 10, SkinRect{11, 5, 41, 25}, ResampleFilter::Hermite)->cacheKey();
    EXPECT_EQ(image.GetScaledBitmap(25, 15, ResampleFilter::Hermite), scaled);
    EXPECT_NE(movedKey, 0);

    // an empty source rectangle or a failed resample gives nothing and keeps nothing
    EXPECT_EQ(image.GetCroppedScaledBitmap(15, 10, SkinRect{5, 5, 5, 9}, ResampleFilter::Hermite), nullptr);
    EXPECT_EQ(image.GetCroppedScaledBitmap(15, 10, source, ResampleFilter::None), nullptr);
}

TEST(CSkinImage, CroppedSourceOutsideThePictureIsZero)
{
    ScratchDir dir;
    const QImage img = Random(4, 4, 8, true);
    CSkinImage image;
    ASSERT_TRUE(image.LoadFromFile(SavedPng(dir, "a.png", img)));
    // at its own size the cut is returned as it is
    const QImage* cut = image.GetCroppedScaledBitmap(4, 5, SkinRect{-2, 0, 2, 5}, ResampleFilter::Hermite);
    ASSERT_NE(cut, nullptr);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 4; ++x) {
            const uint32_t expected = (x < 2 || y >= 4) ? 0u : img.pixel(x - 2, y);
            EXPECT_EQ(cut->pixel(x, y), expected) << x << "," << y;
        }
    // wholly outside: all zero
    cut = image.GetCroppedScaledBitmap(3, 3, SkinRect{100, 100, 106, 106}, ResampleFilter::Hermite);
    ASSERT_NE(cut, nullptr);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(cut->pixel(x, y), 0u);
}

TEST(CSkinImage, SavesRenditionsAsBitmapFiles)
{
    ScratchDir dir;
    CSkinImage image;
    EXPECT_FALSE(image.SaveScaled(dir.file("none.bmp"), 700, 61));
    ASSERT_TRUE(image.LoadFromFile(SavedPng(dir, "a.png", Random(1400, 122, 9, true))));

    ASSERT_TRUE(image.SaveScaled(dir.file("s.bmp"), 700, 61));
    const QByteArray strip = ReadAll(dir.file("s.bmp"));
    EXPECT_EQ(strip.size(), 54 + 61 * 2100);
    EXPECT_EQ(qFromLittleEndian<uint32_t>(strip.constData() + 10), 54u);

    // size = trunc(scale * extent + 0.5): 0.5 * 701 + 0.5 = 351, 0.5 * 61 + 0.5 = 31
    ASSERT_TRUE(image.SaveCroppedScaled(dir.file("c.bmp"), SkinRect{0, 0, 701, 61}, 0.5));
    const QByteArray cropped = ReadAll(dir.file("c.bmp"));
    EXPECT_EQ(qFromLittleEndian<int32_t>(cropped.constData() + 18), 351);
    EXPECT_EQ(qFromLittleEndian<int32_t>(cropped.constData() + 22), 31);
    // 61 / 122 * 700: the header-strip scale of a 1400-wide picture
    ASSERT_TRUE(image.SaveCroppedScaled(dir.file("d.bmp"), SkinRect{0, 0, 1400, 122}, 61.0 / 122.0));
    EXPECT_EQ(ReadAll(dir.file("d.bmp")).size(), 54 + 61 * 2100);
    EXPECT_FALSE(image.SaveCroppedScaled(dir.file("e.bmp"), SkinRect{0, 0, 10, 10}, 1e300));
}

TEST(CSkinImage, DrawsRenditionsAsPlainCopies)
{
    ScratchDir dir;
    QImage img(4, 2, QImage::Format_ARGB32);
    img.fill(0x00FFFFFF); // transparent
    img.setPixel(1, 1, 0xFF00FF00);
    CSkinImage image;
    ASSERT_TRUE(image.LoadFromFile(SavedPng(dir, "a.png", img)));

    QImage canvas(10, 10, QImage::Format_RGB32);
    canvas.fill(0xFF808080);
    {
        QPainter painter(&canvas);
        EXPECT_TRUE(image.DrawScaled(painter, 2, 3, 6, 5));
        EXPECT_TRUE(image.DrawCroppedScaled(painter, SkinRect{0, 6, 4, 8}, SkinRect{0, 0, 4, 2},
                                            ResampleFilter::Hermite));
    }
    // the scaled rendition is over black; the cropped one copies colour bytes, alpha ignored
    EXPECT_EQ(canvas.pixel(2, 3), 0xFF000000u);
    EXPECT_EQ(canvas.pixel(3, 4), 0xFF00FF00u);
    EXPECT_EQ(canvas.pixel(0, 6), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.pixel(1, 7), 0xFF00FF00u);
    EXPECT_EQ(canvas.pixel(6, 3), 0xFF808080u); // outside the destination
}

TEST(ImageLoading, ResourcesThatDoNotExist)
{
    EXPECT_EQ(BitmapResourcePath(118), ":/res/bitmap/118.bmp");
    EXPECT_EQ(PngResourcePath(4), ":/res/png/4.png");
    QImage target(2, 2, QImage::Format_ARGB32);
    EXPECT_FALSE(LoadPngResource(target, 987654));
    EXPECT_TRUE(target.isNull());
    CSkinImage image;
    EXPECT_FALSE(image.LoadFromResource(987654, ResourceType::Bitmap));
    EXPECT_FALSE(image.LoadFromResource(987654, ResourceType::Png));
    EXPECT_FALSE(image.HasPicture());
}

TEST(ImageLoading, DrawPictureBlendsAndDarkensWithGamma)
{
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, 0x00FF0000); // transparent
    picture.setPixel(1, 0, 0xFF808080);
    QImage canvas(4, 1, QImage::Format_RGB32);
    canvas.fill(0xFF0000FF);
    {
        QPainter painter(&canvas);
        DrawPicture(painter, picture, 0, 0, 2, 1, false);
        DrawPicture(painter, picture, 2, 0, 2, 1, true);
    }
    EXPECT_EQ(canvas.pixel(0, 0), 0xFF0000FFu); // the canvas shows through
    EXPECT_EQ(canvas.pixel(1, 0), 0xFF808080u);
    EXPECT_EQ(canvas.pixel(2, 0), 0xFF0000FFu);
    // 255 * (128 / 255)^4.2 = 14.07
    EXPECT_EQ(canvas.pixel(3, 0), 0xFF0E0E0Eu);

    // stretched into the target rectangle
    QImage wide(6, 2, QImage::Format_RGB32);
    wide.fill(0xFF000000);
    QImage one(1, 1, QImage::Format_ARGB32);
    one.fill(0xFF20A040);
    {
        QPainter painter(&wide);
        DrawPicture(painter, one, 1, 0, 4, 2, false);
    }
    EXPECT_EQ(wide.pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(wide.pixel(1, 1), 0xFF20A040u);
    EXPECT_EQ(wide.pixel(4, 0), 0xFF20A040u);
    EXPECT_EQ(wide.pixel(5, 1), 0xFF000000u);
}

TEST(ImageLoading, OpaqueSetsEveryAlphaByte)
{
    QImage img(2, 1, QImage::Format_ARGB32);
    img.setPixel(0, 0, 0x00123456);
    img.setPixel(1, 0, 0x7F654321);
    const QImage opaque = Opaque(img);
    EXPECT_EQ(opaque.format(), QImage::Format_RGB32);
    EXPECT_EQ(opaque.pixel(0, 0), 0xFF123456u);
    EXPECT_EQ(opaque.pixel(1, 0), 0xFF654321u);
    EXPECT_TRUE(Opaque(QImage()).isNull());
}
