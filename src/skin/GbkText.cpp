#include "skin/GbkText.h"

#include <QStringDecoder>
#include <QStringEncoder>

bool EncodeGbk(const QString& text, QByteArray& out)
{
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return false;
    out = encoder.encode(text);
    return !encoder.hasError();
}

QString DecodeGbk(QByteArrayView bytes)
{
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes.data(), bytes.size());
    return decoder.decode(bytes);
}

QByteArray CutGbk(QByteArrayView bytes, qsizetype maxBytes)
{
    qsizetype end = 0;
    while (end < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[end]);
        const qsizetype width = (lead >= 0x81 && lead <= 0xFE && end + 1 < bytes.size()) ? 2 : 1;
        if (end + width > maxBytes)
            break;
        end += width;
    }
    return bytes.first(end).toByteArray();
}
