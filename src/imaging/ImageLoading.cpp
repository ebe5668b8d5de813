#include "imaging/ImageLoading.h"

#include "imaging/JpegRows.h"
#include "imaging/LargeImage.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <mutex>
#include <unistd.h>
#include <utility>

namespace {

// Qt refuses pictures above 256 MB of pixels by default; a large photo needs more. The limit
// becomes the machine's physical memory, so only what could never fit is refused up front
// (a forged header cannot make the decoder reserve more than the machine has).
int AllocationLimitMegabytes()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0; // unknown: no limit
    const long long megabytes = static_cast<long long>(pages) * pageSize / (1024 * 1024);
    return static_cast<int>(std::clamp<long long>(megabytes, 1024, 1 << 30));
}

QImage ApplyGamma(const QImage& picture, double gamma)
{
    uint8_t table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<uint8_t>(std::lround(255.0 * std::pow(i / 255.0, gamma)));
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        uchar* p = out.scanLine(y);
        for (int x = 0; x < out.width(); ++x) {
            p[4 * x + 0] = table[p[4 * x + 0]];
            p[4 * x + 1] = table[p[4 * x + 1]];
            p[4 * x + 2] = table[p[4 * x + 2]];
        }
    }
    return out;
}

uint32_t Le32(const uchar* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t Le16(const uchar* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

// An uncompressed BMP must hold all its rows; the decoder would fill the missing ones with black.
bool BmpComplete(const QByteArray& bytes)
{
    const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
    const qint64 size = bytes.size();
    if (size < 26 || b[0] != 'B' || b[1] != 'M')
        return true; // not ours to judge
    const uint32_t offBits = Le32(b + 10);
    const uint32_t headerSize = Le32(b + 14);
    qint64 width = 0;
    qint64 height = 0;
    int bits = 0;
    uint32_t compression = 0;
    if (headerSize == 12) {
        width = Le16(b + 18);
        height = Le16(b + 20);
        bits = Le16(b + 24);
    } else if (headerSize >= 40 && size >= 34) {
        width = std::abs(qint64(int32_t(Le32(b + 18))));
        height = std::abs(qint64(int32_t(Le32(b + 22))));
        bits = Le16(b + 28);
        compression = Le32(b + 30);
    } else {
        return true;
    }
    if (compression != 0 && compression != 3 && compression != 6)
        return true; // run-length rows have no fixed size
    const qint64 stride = ((bits * width + 31) / 32) * 4;
    return size >= qint64(offBits) + stride * height;
}

// A JPEG must reach its end-of-image marker; the decoder would paint a cut-off photo grey.
// Segments before the first scan are skipped by their lengths (an embedded thumbnail has its own
// markers); inside scan data an 0xFF byte is always followed by 0x00 or a restart marker, so the
// first 0xFFD9 after the first scan header is the real end.
bool JpegComplete(const QByteArray& bytes)
{
    const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
    const qint64 size = bytes.size();
    if (size < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return true;
    qint64 pos = 2;
    while (pos + 4 <= size) {
        if (b[pos] != 0xFF)
            return true; // malformed: left to the decoder
        const uchar marker = b[pos + 1];
        if (marker == 0xFF) {
            ++pos;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            pos += 2;
            continue;
        }
        if (marker == 0xD9)
            return true;
        const qint64 length = qint64(b[pos + 2]) << 8 | b[pos + 3];
        if (marker == 0xDA) {
            // searched from the end, where the marker is in a whole file
            const QByteArray end("\xFF\xD9", 2);
            return bytes.lastIndexOf(end) >= pos + 2 + length;
        }
        pos += 2 + length;
    }
    return false;
}

// The same picture in ARGB32. RGB32 pixels become ARGB32 ones by setting their alpha bytes to 255,
// which is done in place: a second picture of a large photo's size costs more than decoding it.
QImage ToArgb32(QImage picture)
{
    if (picture.format() != QImage::Format_RGB32 || !picture.isDetached())
        return std::move(picture).convertToFormat(QImage::Format_ARGB32);
    const int width = picture.width();
    const int height = picture.height();
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] |= 0xFF000000u;
    }
    picture.reinterpretAsFormat(QImage::Format_ARGB32);
    return picture;
}

} // namespace

void EnsureImageIo()
{
    static std::once_flag once;
    std::call_once(once, [] { QImageReader::setAllocationLimit(AllocationLimitMegabytes()); });
}

QString BitmapResourcePath(int id)
{
    return QStringLiteral(":/res/bitmap/%1.bmp").arg(id);
}

QString PngResourcePath(int id)
{
    return QStringLiteral(":/res/png/%1.png").arg(id);
}

QString TwiceSizePath(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (dot <= slash + 1)
        return path + QStringLiteral("@2x");
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

QImage DecodePicture(QIODevice* device)
{
    EnsureImageIo();
    QImageReader reader(device);
    // Pictures are shown the way they were taken: the orientation recorded by cameras is applied.
    reader.setAutoTransform(true);
    // A photo decodes into a picture made beforehand in large pages (the decoder fills a picture
    // of the right size and format it is given); anything else into the decoder's own.
    // No larger than Qt itself would allocate (a limit of 0 is none).
    QImage decoded;
    const QSize size = reader.size();
    const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
    if (reader.imageFormat() == QImage::Format_RGB32 && size.isValid() &&
        (limit <= 0 || qint64(size.width()) * size.height() * 4 <= limit))
        decoded = NewLargeImage(size.width(), size.height(), QImage::Format_RGB32);
    if (!reader.read(&decoded) || decoded.isNull())
        return QImage();
    return ToArgb32(std::move(decoded));
}

namespace {

// The picture file's bytes, or none when it cannot be read.
QByteArray ReadPictureFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes;
    try {
        bytes = file.readAll();
    } catch (const std::bad_alloc&) {
        return {};
    }
    return bytes;
}

} // namespace

namespace {

// Rows [top, bottom) of a picture file's bytes (all rows when top is -1); null for cut-off BMP
// and JPEG data, which the decoders would accept with the missing rows painted. An upright JPEG is
// decoded by libjpeg-turbo straight into the picture, skipping the rows above the band; a JPEG
// it refuses is decoded by Qt's decoder down to the band. Anything else, or a JPEG with a recorded
// orientation (which would turn the band into columns), is decoded whole. *firstRow gets the
// picture row of the result's first row.
QImage DecodeRows(const QByteArray& bytes, int top, int bottom, int* firstRow, const BandDecoded& onRows = {})
{
    *firstRow = 0;
    if (bytes.isEmpty() || !BmpComplete(bytes) || !JpegComplete(bytes))
        return QImage();
    QByteArray view = QByteArray::fromRawData(bytes.constData(), bytes.size());
    QBuffer buffer(&view);
    buffer.open(QIODevice::ReadOnly);
    EnsureImageIo();
    {
        QImageReader reader(&buffer);
        const QSize size = reader.size();
        if (reader.format() == "jpeg" && reader.transformation() == QImageIOHandler::TransformationNone &&
            size.isValid()) {
            const bool band =
                0 <= top && top < bottom && bottom <= size.height() && bottom - top < size.height();
            const int first = band ? top : 0;
            const int last = band ? bottom : size.height();
            RowsDecoded report;
            if (onRows)
                report = [&onRows, first](const QImage& rows, int decoded) { onRows(rows, first, decoded); };
            if (QImage rows = DecodeJpegRows(bytes, first, last, report); !rows.isNull()) {
                *firstRow = first;
                return rows;
            }
            if (band) {
                reader.setClipRect(QRect(0, top, size.width(), bottom - top));
                QImage rows;
                if (reader.read(&rows) && rows.size() == QSize(size.width(), bottom - top)) {
                    *firstRow = top;
                    return ToArgb32(std::move(rows));
                }
            }
        }
    }
    buffer.seek(0);
    return DecodePicture(&buffer);
}

} // namespace

QImage DecodePictureBytes(const QByteArray& bytes)
{
    int firstRow = 0;
    return DecodeRows(bytes, -1, -1, &firstRow);
}

QImage DecodePictureFile(const QString& path)
{
    return DecodePictureBytes(ReadPictureFile(path));
}

QSize PictureFileSize(const QString& path)
{
    EnsureImageIo();
    QImageReader reader(path);
    QSize size = reader.size();
    if (size.isValid() && (reader.transformation() & QImageIOHandler::TransformationRotate90))
        size.transpose();
    return size;
}

QImage DecodePictureRows(const QString& path, int top, int bottom, int* firstRow, const BandDecoded& onRows)
{
    return DecodeRows(ReadPictureFile(path), top, bottom, firstRow, onRows);
}

bool LoadPngResource(QImage& target, int id)
{
    target = QImage();
    QFile file(PngResourcePath(id));
    if (!file.exists() || file.size() == 0 || !file.open(QIODevice::ReadOnly))
        return false;
    target = DecodePicture(&file);
    return !target.isNull();
}

bool LoadPngResourceAt2x(QImage& target, int id)
{
    target = QImage();
    QFile file(TwiceSizePath(PngResourcePath(id)));
    if (!file.exists() || file.size() == 0 || !file.open(QIODevice::ReadOnly))
        return false;
    target = DecodePicture(&file);
    target.setDevicePixelRatio(2);
    return !target.isNull();
}

void DrawPicture(QPainter& painter, const QImage& picture, int x, int y, int width, int height, bool gamma)
{
    if (picture.isNull())
        return;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QRect target(x, y, width, height);
    if (gamma)
        painter.drawImage(target, ApplyGamma(picture, 4.2), picture.rect());
    else
        painter.drawImage(target, picture);
    painter.restore();
}

bool IsOpaque(const QImage& picture)
{
    if (picture.format() == QImage::Format_RGB32)
        return true;
    if (picture.format() != QImage::Format_ARGB32)
        return false;
    const int width = picture.width();
    const int height = picture.height();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(picture.constScanLine(y));
        uint32_t all = 0xFF000000u;
        for (int x = 0; x < width; ++x)
            all &= row[x];
        if (all < 0xFF000000u)
            return false;
    }
    return true;
}

QImage Opaque(const QImage& picture)
{
    if (picture.isNull())
        return QImage();
    const QImage source =
        picture.format() == QImage::Format_ARGB32 || picture.format() == QImage::Format_RGB32
            ? picture
            : picture.convertToFormat(QImage::Format_ARGB32);
    QImage out(source.size(), QImage::Format_RGB32);
    if (out.isNull())
        return QImage();
    const int width = source.width();
    const int height = source.height();
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const uint32_t*>(source.constScanLine(y));
        auto* o = reinterpret_cast<uint32_t*>(out.scanLine(y));
        for (int x = 0; x < width; ++x)
            o[x] = in[x] | 0xFF000000u;
    }
    return out;
}
