#include "skin/PackageThumbnail.h"

#include "skin/PackageNames.h"
#include "zip/ZipArchive.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <algorithm>

ThumbnailResult ReadPackageThumbnail(const QString& packagePath)
{
    ThumbnailResult result;
    const std::unique_ptr<ZipArchive> archive = ZipArchive::Open(packagePath);
    if (archive == nullptr) {
        result.error =
            QCoreApplication::translate("PackageThumbnail", "“%1”不是可读的皮肤包。").arg(packagePath);
        return result;
    }
    const QList<ZipItem>& entries = archive->Entries();
    const auto item = std::find_if(entries.begin(), entries.end(), [](const ZipItem& entry) {
        return entry.name.compare(QLatin1String(kThumbnailMember), Qt::CaseInsensitive) == 0 &&
               (entry.attributes & ZIP_ATTR_DIRECTORY) == 0;
    });
    QByteArray bytes;
    if (item == entries.end()) {
        result.error =
            QCoreApplication::translate("PackageThumbnail", "皮肤包“%1”中没有缩略图。").arg(packagePath);
    } else if (item->uncompressedSize < 0 || item->uncompressedSize > kMaxThumbnailMemberBytes) {
        result.error =
            QCoreApplication::translate("PackageThumbnail", "皮肤包“%1”的缩略图过大。").arg(packagePath);
    } else if (archive->Read(item->index, &bytes) != ZIP_OK) {
        // The reader checks the member's size and CRC while extracting it.
        result.error =
            QCoreApplication::translate("PackageThumbnail", "无法读取皮肤包“%1”的缩略图。").arg(packagePath);
    }
    if (!result.error.isEmpty())
        return result;

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
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
