#pragma once
// The picture object: one decoded picture plus two cached renditions (the whole picture
// resampled to a size, and a source rectangle resampled to a size). Every rendition it
// returns stays owned by the object; only GetHBitmap hands a new picture to the caller.
#include "imaging/Resample.h"
#include "platform/SkinRect.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;

// Type of a built-in picture: RT_BITMAP (24-bit BMP, :/res/bitmap/<id>.bmp) or "PNG" (:/res/png/<id>.png).
enum class ResourceType { Bitmap = 2, Png };

class CSkinImage {
public:
    CSkinImage() = default;
    ~CSkinImage();
    CSkinImage(const CSkinImage&) = delete;
    CSkinImage& operator=(const CSkinImage&) = delete;

    // False when the file cannot be decoded; the picture held before is then kept.
    bool LoadFromFile(const QString& path);
    bool LoadFromResource(int id, ResourceType type);
    // Holds a picture decoded elsewhere (any format, converted to ARGB32); false when it is null.
    bool LoadFromImage(QImage picture);
    QSize GetSize() const;
    bool HasPicture() const;
    // The decoded picture (Format_ARGB32, alpha kept); null QImage when none.
    const QImage& Picture() const { return m_picture; }

    // The whole picture at its own size composited over opaque black (ARGB32). An opaque picture
    // is returned as it is (shared, not copied).
    QImage GetHBitmap() const;
    // Cached renditions; nullptr on failure. The pointer stays valid until the next call
    // that replaces that rendition, Release() or destruction.
    const QImage* GetScaledBitmap(int width, int height, ResampleFilter filter);
    const QImage* GetCroppedScaledBitmap(int width, int height, const SkinRect& source,
                                         ResampleFilter filter);

    // Draw a rendition 1:1 at the destination's top-left corner. At a device pixel ratio other
    // than 1 the rendition is made at the destination's size in device pixels and tagged with the
    // ratio, so that it fills the same logical rectangle with the picture's own detail.
    bool DrawScaled(QPainter& painter, int left, int top, int right, int bottom, double ratio = 1.0);
    bool DrawCroppedScaled(QPainter& painter, const SkinRect& destination, const SkinRect& source,
                           ResampleFilter filter, double ratio = 1.0);

    // The saves refuse (false) a size that would need resampling beyond kMaxResampleSide, which
    // would come out squeezed; a rendition at the source's own size is a plain copy of any size.
    bool SaveScaled(const QString& path, int width, int height);
    // Size = trunc(scale * width + 0.5) x trunc(scale * height + 0.5).
    bool SaveCroppedScaled(const QString& path, const SkinRect& source, double scale);
    static QSize CroppedScaledSize(const SkinRect& source, double scale); // empty when no int holds it

    void Release();

private:
    void TakePicture(QImage decoded);

    QImage m_picture;
    bool m_opaque = false; // every alpha byte of m_picture is 255
    QImage m_scaled;
    QImage m_cropped;
    SkinRect m_croppedSource;
};

// The source rectangle of picture (ARGB32) resampled to size; parts outside the picture are
// transparent black. A rendition at the rectangle's own size is a plain copy. Null on failure.
QImage CropScaled(const QImage& picture, const SkinRect& source, QSize size, ResampleFilter filter);

// A length in logical pixels as device pixels at a device pixel ratio: round(length x ratio).
int DeviceLength(int length, double ratio);
QSize DeviceSize(QSize size, double ratio);

// A decoded picture shared by everything that shows or saves it. A loader fills a fresh one
// and hands it over whole; after that only the interface thread uses it.
using SharedPicture = std::shared_ptr<CSkinImage>;
