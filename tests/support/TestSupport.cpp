#include "TestSupport.h"

#include "imaging/CSkinImage.h"
#include "zip/Zip.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <algorithm>
#include <cstdint>

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

std::shared_ptr<CSkinImage> PlainPicture(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    auto picture = std::make_shared<CSkinImage>();
    return picture->LoadFromImage(image) ? picture : nullptr;
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

QByteArray SwfMovie(int width, int height)
{
    // The stage rectangle (0, width, 0, height) in twips, each field nbits wide, then padded.
    const int values[4] = {0, width * 20, 0, height * 20};
    int nbits = 1;
    while ((1 << (nbits - 1)) <= std::max(values[1], values[3]))
        ++nbits;
    QByteArray rect;
    uint32_t held = 0;
    int heldBits = 0;
    const auto put = [&](uint32_t value, int bits) {
        for (int i = bits - 1; i >= 0; --i) {
            held = (held << 1) | ((value >> i) & 1u);
            if (++heldBits == 8) {
                rect.append(static_cast<char>(held));
                held = 0;
                heldBits = 0;
            }
        }
    };
    put(static_cast<uint32_t>(nbits), 5);
    for (int value : values)
        put(static_cast<uint32_t>(value), nbits);
    if (heldBits > 0)
        put(0, 8 - heldBits);
    // 12 frames a second, one frame; ShowFrame and End tags.
    const QByteArray body = rect + QByteArray("\x00\x0c\x01\x00\x40\x00\x00\x00", 8);
    const auto length = static_cast<uint32_t>(8 + body.size());
    QByteArray movie("FWS\x08", 4);
    for (int i = 0; i < 4; ++i)
        movie.append(static_cast<char>((length >> (8 * i)) & 0xFF));
    return movie + body;
}

QStringList MemberNames(const QString& package)
{
    ZipHandle* zip = UnzipOpen(package);
    if (zip == nullptr)
        return {};
    ZipItem count;
    UnzipGetItem(zip, -1, &count);
    QStringList names;
    for (int i = 0; i < count.index; ++i) {
        ZipItem item;
        UnzipGetItem(zip, i, &item);
        names.append(item.name);
    }
    UnzipClose(zip);
    return names;
}

QString BuildSamplePackageWithControl(const QString& path, const QString& name, const QString& placement)
{
    QProcess cli;
    cli.start(QStringLiteral(SKIN_BINARY_DIR "/skinmaker-cli"),
              {"build", "-o", path, "--picture", QStringLiteral(SKIN_SOURCE_DIR "/res/sample/sample.jpg"),
               "--name", name, "--control",
               QStringLiteral("lefttop=" SKIN_SOURCE_DIR "/res/flash/clock.swf") + placement});
    if (!cli.waitForFinished(120000))
        return QStringLiteral("skinmaker-cli did not finish");
    if (cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0)
        return QString::fromLocal8Bit(cli.readAllStandardError());
    return {};
}

} // namespace skintest
