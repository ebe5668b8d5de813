#pragma once
// A package's own thumbnail (its small.bmp), read without unpacking the rest, for file managers.
#include <QImage>
#include <QString>

// The largest thumbnail member read; a package's own is 60 x 37 pixels, a few kilobytes.
inline constexpr qint64 kMaxThumbnailMemberBytes = 1024 * 1024;

struct ThumbnailResult {
    QImage image;  // null on failure
    QString error; // why, when image is null
};

// Reads the thumbnail member of the package and decodes it.
ThumbnailResult ReadPackageThumbnail(const QString& packagePath);
// image scaled (smoothly, keeping its proportions) so that it just fits a size x size square.
QImage FitThumbnail(const QImage& image, int size);
