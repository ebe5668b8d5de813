#include "controls/CPngItem.h"

#include "imaging/ImageLoading.h"

#include <QFile>

namespace {

bool HasPngSignature(const QByteArray& bytes)
{
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    return bytes.startsWith(signature);
}

} // namespace

void CPngItem::Draw(QPainter& painter, QPoint topLeft) const
{
    DrawPicture(painter, m_picture, topLeft.x(), topLeft.y(), m_picture.width(), m_picture.height(), false);
}

bool CPngItem::LoadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    // The package names the file topleft.png and so on: the player expects a PNG.
    if (!HasPngSignature(bytes))
        return false;
    QImage picture = DecodePictureBytes(bytes);
    if (picture.isNull() || picture.width() == 0 || picture.height() == 0)
        return false;
    m_picture = picture.convertToFormat(QImage::Format_ARGB32);
    return true;
}
