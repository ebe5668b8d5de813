#include "imaging/CSkinImage.h"

#include "imaging/BitmapFile.h"
#include "imaging/ImageLoading.h"

#include <QFile>
#include <QPainter>
#include <cmath>
#include <cstring>
#include <utility>

CSkinImage::~CSkinImage()
{
    m_cropped = QImage();
    m_scaled = QImage();
    m_picture = QImage();
}

bool CSkinImage::LoadFromFile(const QString& path)
{
    // Decoded aside: a file that cannot be decoded leaves the old picture and its renditions
    // as they were, a good one replaces them in one step.
    QImage decoded = DecodePictureFile(path);
    const bool loaded = !decoded.isNull();
    if (loaded) {
        m_cropped = QImage();
        m_scaled = QImage();
        m_croppedSource = SkinRect{};
        TakePicture(std::move(decoded));
    }
    return loaded;
}

bool CSkinImage::LoadFromImage(QImage picture)
{
    if (picture.format() != QImage::Format_ARGB32)
        picture = std::move(picture).convertToFormat(QImage::Format_ARGB32);
    if (picture.isNull())
        return false;
    m_cropped = QImage();
    m_scaled = QImage();
    m_croppedSource = SkinRect{};
    TakePicture(std::move(picture));
    return true;
}

void CSkinImage::TakePicture(QImage decoded)
{
    m_picture = std::move(decoded);
    m_opaque = IsOpaque(m_picture);
}

bool CSkinImage::LoadFromResource(int id, ResourceType type)
{
    Release();
    QFile file(type == ResourceType::Bitmap ? BitmapResourcePath(id) : PngResourcePath(id));
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return false;
    TakePicture(DecodePicture(&file));
    return !m_picture.isNull();
}

QSize CSkinImage::GetSize() const
{
    return m_picture.isNull() ? QSize(0, 0) : m_picture.size();
}

bool CSkinImage::HasPicture() const
{
    return !m_picture.isNull();
}

QImage CSkinImage::GetHBitmap() const
{
    if (m_picture.isNull() || m_opaque)
        return m_picture;
    // Over opaque black a pixel keeps its colour in proportion to its alpha.
    QImage out(m_picture.size(), QImage::Format_ARGB32);
    if (out.isNull())
        return QImage();
    const int width = m_picture.width();
    const int height = m_picture.height();
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(m_picture.constScanLine(y));
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb p = in[x];
            o[x] = qAlpha(p) == 255 ? p : (qPremultiply(p) | 0xFF000000u);
        }
    }
    return out;
}

const QImage* CSkinImage::GetScaledBitmap(int width, int height, ResampleFilter filter)
{
    if (m_picture.isNull())
        return nullptr;
    if (QSize(width, height) == m_picture.size()) {
        // the picture itself at its own size, never resampled
        if (m_scaled.size() != m_picture.size())
            m_scaled = GetHBitmap();
        return m_scaled.isNull() ? nullptr : &m_scaled;
    }
    if (!m_scaled.isNull() && m_scaled.width() == width && m_scaled.height() == height)
        return &m_scaled;
    ResampleResult result = ResampleBitmap(GetHBitmap(), width, height, filter);
    m_scaled = result.image;
    return m_scaled.isNull() ? nullptr : &m_scaled;
}

QImage CropScaled(const QImage& picture, const SkinRect& source, QSize size, ResampleFilter filter)
{
    if (picture.isNull() || source.IsEmpty() || size.isEmpty())
        return {};
    // The source rectangle at its own size; whatever lies outside the picture stays zero.
    const QRect wanted = source.ToQRect();
    const QRect inside = wanted.intersected(picture.rect());
    QImage cut;
    if (inside == wanted) {
        // wholly inside: read the picture's own rows in place
        cut = QImage(picture.constScanLine(wanted.top()) + 4 * qsizetype(wanted.left()), wanted.width(),
                     wanted.height(), picture.bytesPerLine(), QImage::Format_ARGB32);
    } else {
        cut = QImage(wanted.size(), QImage::Format_ARGB32);
        if (cut.isNull())
            return {};
        cut.fill(0);
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            std::memcpy(cut.scanLine(y - wanted.top()) + 4 * qsizetype(inside.left() - wanted.left()),
                        picture.constScanLine(y) + 4 * qsizetype(inside.left()), 4 * size_t(inside.width()));
    }
    if (cut.isNull())
        return {};
    // At its own size the rectangle is copied, whatever its size: no resampling, no limit.
    if (cut.size() == size)
        return cut.copy();
    ResampleResult result = ResampleBitmap(cut, size.width(), size.height(), filter);
    return result.ok() ? result.image : QImage();
}

const QImage* CSkinImage::GetCroppedScaledBitmap(int width, int height, const SkinRect& source,
                                                 ResampleFilter filter)
{
    if (!m_cropped.isNull() && m_cropped.width() == width && m_cropped.height() == height &&
        m_croppedSource == source)
        return &m_cropped;
    m_croppedSource = SkinRect{};
    m_cropped = CropScaled(m_picture, source, QSize(width, height), filter);
    if (m_cropped.isNull())
        return nullptr;
    m_croppedSource = source;
    return &m_cropped;
}

int DeviceLength(int length, double ratio)
{
    if (ratio == 1.0)
        return length;
    return static_cast<int>(std::lround(length * ratio));
}

QSize DeviceSize(QSize size, double ratio)
{
    return {DeviceLength(size.width(), ratio), DeviceLength(size.height(), ratio)};
}

namespace {

void DrawRendition(QPainter& painter, QPoint at, const QImage& rendition, double ratio)
{
    QImage shown = Opaque(rendition);
    if (ratio != 1.0)
        shown.setDevicePixelRatio(ratio);
    painter.drawImage(at, shown);
}

} // namespace

bool CSkinImage::DrawScaled(QPainter& painter, int left, int top, int right, int bottom, double ratio)
{
    const QImage* bitmap = GetScaledBitmap(DeviceLength(right - left, ratio),
                                           DeviceLength(bottom - top, ratio), ResampleFilter::Hermite);
    if (bitmap == nullptr)
        return false;
    DrawRendition(painter, QPoint(left, top), *bitmap, ratio);
    return true;
}

bool CSkinImage::DrawCroppedScaled(QPainter& painter, const SkinRect& destination, const SkinRect& source,
                                   ResampleFilter filter, double ratio)
{
    const QImage* bitmap = GetCroppedScaledBitmap(DeviceLength(destination.Width(), ratio),
                                                  DeviceLength(destination.Height(), ratio), source, filter);
    if (bitmap == nullptr)
        return false;
    DrawRendition(painter, QPoint(destination.left, destination.top), *bitmap, ratio);
    return true;
}

namespace {

// A rendition that fits without being squeezed by the resampler's limit.
bool SavableSize(int64_t sourceWidth, int64_t sourceHeight, QSize wanted)
{
    return (wanted.width() == sourceWidth && wanted.height() == sourceHeight) ||
           (wanted.width() <= kMaxResampleSide && wanted.height() <= kMaxResampleSide);
}

} // namespace

bool CSkinImage::SaveScaled(const QString& path, int width, int height)
{
    if (!SavableSize(GetSize().width(), GetSize().height(), QSize(width, height)))
        return false;
    const QImage* bitmap = GetScaledBitmap(width, height, ResampleFilter::Hermite);
    return bitmap != nullptr && SaveBitmapFile(path, *bitmap);
}

QSize CSkinImage::CroppedScaledSize(const SkinRect& source, double scale)
{
    const double width = scale * (double(source.right) - double(source.left)) + 0.5;
    const double height = scale * (double(source.bottom) - double(source.top)) + 0.5;
    // sizes that no int can hold (or NaN) cannot be saved
    if (!(std::fabs(width) < 2147483647.0) || !(std::fabs(height) < 2147483647.0))
        return {};
    return {static_cast<int>(width), static_cast<int>(height)};
}

bool CSkinImage::SaveCroppedScaled(const QString& path, const SkinRect& source, double scale)
{
    const QSize size = CroppedScaledSize(source, scale);
    if (!size.isValid() || !SavableSize(source.Width(), source.Height(), size))
        return false;
    const QImage* bitmap =
        GetCroppedScaledBitmap(size.width(), size.height(), source, ResampleFilter::Hermite);
    return bitmap != nullptr && SaveBitmapFile(path, *bitmap);
}

void CSkinImage::Release()
{
    m_picture = QImage();
    m_opaque = false;
    m_scaled = QImage();
    m_cropped = QImage();
    m_croppedSource = SkinRect{};
}
