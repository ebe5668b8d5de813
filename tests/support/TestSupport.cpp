#include "TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImage>

namespace skintest {

ScratchDir::ScratchDir() : m_dir(QDir::tempPath() + "/skintest-XXXXXX") {}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

QByteArray PngPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(qRgba(255, 0, 0, 128));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

} // namespace skintest
