#include "skin/PackageThumbnail.h"

#include "skin/PackageNames.h"
#include "zip/Zip.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QTemporaryDir>

namespace {

// Index of the thumbnail member, or -1.
int FindThumbnailMember(ZipHandle* archive, ZipItem* item)
{
    ZipItem count;
    if (UnzipGetItem(archive, -1, &count) != ZIP_OK)
        return -1;
    for (int index = 0; index < count.index; ++index) {
        if (UnzipGetItem(archive, index, item) != ZIP_OK)
            return -1;
        if (item->name.compare(QLatin1String(kThumbnailMember), Qt::CaseInsensitive) == 0 &&
            (item->attributes & ZIP_ATTR_DIRECTORY) == 0)
            return index;
    }
    return -1;
}

} // namespace

ThumbnailResult ReadPackageThumbnail(const QString& packagePath)
{
    ThumbnailResult result;
    ZipHandle* archive = UnzipOpen(packagePath);
    if (archive == nullptr) {
        result.error =
            QCoreApplication::translate("PackageThumbnail", "“%1”不是可读的皮肤包。").arg(packagePath);
        return result;
    }
    QTemporaryDir scratch;
    const QString target = scratch.filePath(QLatin1String(kThumbnailMember));
    ZipItem item;
    const int index = FindThumbnailMember(archive, &item);
    uint32_t code = ZIP_OK;
    if (index < 0) {
        result.error =
            QCoreApplication::translate("PackageThumbnail", "皮肤包“%1”中没有缩略图。").arg(packagePath);
    } else if (item.uncompressedSize < 0 || item.uncompressedSize > kMaxThumbnailMemberBytes) {
        result.error =
            QCoreApplication::translate("PackageThumbnail", "皮肤包“%1”的缩略图过大。").arg(packagePath);
    } else if (!scratch.isValid() || (code = UnzipItemToFile(archive, index, target)) != ZIP_OK) {
        // The reader checks the member's size and CRC while extracting it.
        result.error =
            QCoreApplication::translate("PackageThumbnail", "无法读取皮肤包“%1”的缩略图。").arg(packagePath);
    }
    UnzipClose(archive);
    if (!result.error.isEmpty())
        return result;

    QImageReader reader(target);
    reader.setAllocationLimit(16); // megabytes: a small bitmap claiming a huge size is refused
    result.image = reader.read();
    if (result.image.isNull())
        result.error =
            QCoreApplication::translate("PackageThumbnail", "无法解码皮肤包“%1”的缩略图。").arg(packagePath);
    return result;
}

QImage FitThumbnail(const QImage& image, int size)
{
    return image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
