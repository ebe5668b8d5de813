#include "imaging/BitmapFile.h"

#include "imaging/CSkinImage.h"

#include <QFile>
#include <cstring>
#include <limits>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kHeadersSize = kBitmapHeadersSize;
static_assert(kFileHeaderSize + kInfoHeaderSize == kHeadersSize);

void Put16(QByteArray& out, qsizetype at, uint16_t v)
{
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>(v >> 8);
}

void Put32(QByteArray& out, qsizetype at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Copies a picture's blue, green, red bytes into 24-bit rows (alpha is not written).
// byteOffset is where the picture's columns start within each row of the file.
void PutRows(QByteArray& file, qint64 stride, const QImage& picture, qint64 byteOffset)
{
    const int height = picture.height();
    char* image = file.data() + kHeadersSize;
    for (int y = 0; y < height; ++y) // row y of the file counts from the bottom
        PutBitmapRow(image + y * stride + byteOffset, picture.constScanLine(height - 1 - y), picture.width());
}

// Pictures are read as their B, G, R, A bytes; other formats are converted first.
QImage AsBgra(const QImage& picture)
{
    if (picture.format() == QImage::Format_ARGB32 || picture.format() == QImage::Format_RGB32)
        return picture;
    return picture.convertToFormat(QImage::Format_ARGB32);
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    // a short write (full disk, lost medium) is reported, not passed off as a saved file
    const bool written = file.write(bytes) == bytes.size();
    return file.flush() && written;
}

} // namespace

qint64 Stride24(qint64 width)
{
    return ((24 * width + 31) / 32) * 4;
}

QByteArray NewBitmap24(int width, int height)
{
    const qint64 imageSize = Stride24(width) * height;
    if (width <= 0 || height <= 0 || imageSize > std::numeric_limits<uint32_t>::max() - kHeadersSize)
        return QByteArray();
    QByteArray file;
    try {
        file = QByteArray(kHeadersSize + imageSize, '\0');
    } catch (const std::bad_alloc&) {
        return QByteArray();
    }
    if (file.size() != kHeadersSize + imageSize)
        return QByteArray();
    // file header
    Put16(file, 0, 0x4D42); // "BM"
    Put32(file, 2, static_cast<uint32_t>(kHeadersSize + imageSize));
    Put32(file, 10, kHeadersSize); // no colour table
    // info header: bottom-up, one plane, 24 bits, BI_RGB; image size, resolutions and colour counts 0
    Put32(file, 14, kInfoHeaderSize);
    Put32(file, 18, static_cast<uint32_t>(width));
    Put32(file, 22, static_cast<uint32_t>(height));
    Put16(file, 26, 1);
    Put16(file, 28, 24);
    return file;
}

void PutBitmapRow(char* out, const uchar* pixels, int width)
{
    auto* to = reinterpret_cast<uchar*>(out);
    for (int x = 0; x < width; ++x, pixels += 4, to += 3) {
        to[0] = pixels[0];
        to[1] = pixels[1];
        to[2] = pixels[2];
    }
}

bool SaveBitmapFile(const QString& path, const QImage& bitmap)
{
    if (bitmap.isNull())
        return false;
    const QImage pixels = AsBgra(bitmap);
    if (pixels.isNull())
        return false;
    QByteArray file = NewBitmap24(pixels.width(), pixels.height());
    if (file.isEmpty())
        return false;
    PutRows(file, Stride24(pixels.width()), pixels, 0);
    return WriteFile(path, file);
}

QByteArray JoinBitmaps(const QList<QImage>& pictures)
{
    qint64 width = 0;
    for (const QImage& picture : pictures) {
        // Rows are paired by index; a shorter picture would leave rows without a partner.
        if (picture.isNull() || picture.height() != pictures.first().height())
            return QByteArray();
        width += picture.width();
    }
    if (pictures.isEmpty() || width > std::numeric_limits<int>::max())
        return QByteArray();
    QByteArray file = NewBitmap24(static_cast<int>(width), pictures.first().height());
    if (file.isEmpty())
        return QByteArray();
    qint64 column = 0;
    for (const QImage& picture : pictures) {
        PutRows(file, Stride24(width), AsBgra(picture), 3 * column);
        column += picture.width();
    }
    return file;
}

bool JoinBitmapFiles(const QString& leftPath, const QString& rightPath, const QString& outPath)
{
    CSkinImage left;
    CSkinImage right;
    if (!left.LoadFromFile(leftPath) || !right.LoadFromFile(rightPath))
        return false;
    const QByteArray file = JoinBitmaps({left.GetHBitmap(), right.GetHBitmap()});
    return !file.isEmpty() && WriteFile(outPath, file);
}
