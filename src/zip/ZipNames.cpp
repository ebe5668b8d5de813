#include "ZipNames.h"

#include "ZipBytes.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

bool EncodeEntryName(const QString& name, QByteArray* out)
{
    QString slashed = name;
    slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        return false;
    const QByteArray bytes = encoder.encode(slashed);
    if (encoder.hasError() || bytes.isEmpty() || bytes.size() > ZIP_MAX_NAME_BYTES || bytes.contains('\0'))
        return false;
    *out = bytes;
    return true;
}

QString DecodeEntryName(const QByteArray& bytes, bool utf8)
{
    const qsizetype nul = bytes.indexOf('\0');
    const QByteArray text = nul >= 0 ? bytes.left(nul) : bytes;
    if (utf8)
        return QString::fromUtf8(text);
    QStringDecoder decoder("GBK");
    if (!decoder.isValid())
        return QString::fromLatin1(text);
    return decoder.decode(text);
}

// One step of the sanitising rules; false when none applies.
static bool StripOnce(QString* name)
{
    if (name->size() >= 2 && name->at(1) == QLatin1Char(':')) {
        name->remove(0, 2);
        return true;
    }
    if (name->startsWith(QLatin1Char('\\')) || name->startsWith(QLatin1Char('/'))) {
        name->remove(0, 1);
        return true;
    }
    static const char* const kParentSteps[] = {"\\..\\", "\\../", "/../", "/..\\"};
    for (const char* step : kParentSteps) {
        const qsizetype at = name->indexOf(QLatin1String(step));
        if (at >= 0) {
            name->remove(0, at + 4);
            return true;
        }
    }
    // A name that begins with a parent step would climb out of the base folder: drop the step.
    if (name->startsWith(QLatin1String("../")) || name->startsWith(QLatin1String("..\\"))) {
        name->remove(0, 3);
        return true;
    }
    return false;
}

bool SanitiseEntryName(QString* name)
{
    while (StripOnce(name)) {
    }
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    const QStringList segments = name->split(separators);
    return !segments.contains(QStringLiteral(".."));
}
