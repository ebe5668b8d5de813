#include "skin/PlayerLookupWine.h"

#include <QDir>
#include <QFileInfo>
#include <QList>

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

// The character of a one-letter C escape ("\n" and the like); -1 for other letters.
int ControlEscape(char c)
{
    switch (c) {
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'e':
        return 0x1B;
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'v':
        return '\v';
    default:
        return -1;
    }
}

// True when the section path is the key or one of its subkeys.
bool IsKeyOrSubkey(const QString& path, const QString& key)
{
    if (!path.startsWith(key, Qt::CaseInsensitive))
        return false;
    return path.size() == key.size() || path.at(key.size()) == QLatin1Char('\\');
}

// The text of a value's data ("...", str(1):"..." or str(2):"..."); empty for other types.
QString StringData(QByteArrayView data)
{
    qsizetype pos = 0;
    if (data.startsWith("str(")) {
        if (!data.sliced(4).startsWith("1):") && !data.sliced(4).startsWith("2):"))
            return {};
        pos = 7;
    }
    if (pos >= data.size() || data[pos] != '"')
        return {};
    ++pos;
    return DecodeWineText(data, pos, '"').value_or(QString());
}

} // namespace

QString WinePrefix()
{
    const QString named = qEnvironmentVariable("WINEPREFIX");
    return named.isEmpty() ? QDir::home().filePath(QStringLiteral(".wine")) : named;
}

std::optional<QString> DecodeWineText(QByteArrayView text, qsizetype& pos, char end)
{
    QString out;
    qsizetype i = pos;
    const auto unit = [&out](unsigned value) { out.append(QChar(static_cast<char16_t>(value))); };
    while (i < text.size()) {
        const char c = text[i];
        if (c == end) {
            pos = i + 1;
            return out;
        }
        if (c != '\\' || i + 1 == text.size()) {
            unit(static_cast<unsigned char>(c));
            ++i;
            continue;
        }
        const char escaped = text[i + 1];
        i += 2;
        if (escaped == 'x' && i < text.size() && HexDigit(text[i]) >= 0) {
            unsigned value = 0;
            for (int n = 0; n < 4 && i < text.size() && HexDigit(text[i]) >= 0; ++n, ++i)
                value = value * 16 + static_cast<unsigned>(HexDigit(text[i]));
            unit(value);
        } else if (IsOctalDigit(escaped)) {
            unsigned value = static_cast<unsigned>(escaped - '0');
            for (int n = 0; n < 2 && i < text.size() && IsOctalDigit(text[i]); ++n, ++i)
                value = value * 8 + static_cast<unsigned>(text[i] - '0');
            unit(value);
        } else if (const int control = ControlEscape(escaped); control >= 0) {
            unit(static_cast<unsigned>(control));
        } else {
            // "\\", "\"", "\]" and unknown escapes: the character itself.
            unit(static_cast<unsigned char>(escaped));
        }
    }
    return std::nullopt;
}

std::optional<QString> ReadWineRegistryString(QByteArrayView text, const QStringList& keys,
                                              const QString& name)
{
    QList<bool> exists(keys.size(), false);
    QList<std::optional<QString>> values(keys.size());
    qsizetype current = -1; // the key whose section is being read
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n')
            ++end;
        QByteArrayView line = text.sliced(start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);

        if (line.startsWith('[')) {
            current = -1;
            qsizetype pos = 1;
            const std::optional<QString> path = DecodeWineText(line, pos, ']');
            if (!path)
                continue;
            for (qsizetype k = 0; k < keys.size(); ++k) {
                if (!IsKeyOrSubkey(*path, keys[k]))
                    continue;
                exists[k] = true;
                if (path->size() == keys[k].size())
                    current = k;
            }
        } else if (current >= 0 && !values[current] && line.startsWith('"')) {
            qsizetype pos = 1;
            const std::optional<QString> valueName = DecodeWineText(line, pos, '"');
            if (!valueName || valueName->compare(name, Qt::CaseInsensitive) != 0)
                continue;
            if (pos < line.size() && line[pos] == '=')
                values[current] = StringData(line.sliced(pos + 1));
        }
    }
    for (qsizetype k = 0; k < keys.size(); ++k) {
        if (exists[k])
            return values[k].value_or(QString());
    }
    return std::nullopt;
}

QString FindNameIgnoringCase(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || name.isEmpty())
        return {};
    const QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(name)))
        return dir.filePath(name);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

QString WineLocalPath(const QString& prefix, const QString& windowsPath)
{
    QString path = windowsPath;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (path.startsWith(QStringLiteral("\\\\?\\")))
        path.remove(0, 4);
    const bool hasDrive = path.size() >= 2 && path[0].isLetter() && path[0].unicode() < 0x80 &&
                          path[1] == QLatin1Char(':') && (path.size() == 2 || path[2] == QLatin1Char('\\'));
    if (!hasDrive)
        return {};
    QString local =
        QDir(prefix).filePath(QStringLiteral("dosdevices/") + path[0].toLower() + QLatin1Char(':'));
    if (!QFileInfo(local).isDir())
        return {};

    QStringList parts;
    for (const QString& part : path.mid(2).split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        if (part == QStringLiteral("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (part != QStringLiteral(".")) {
            parts.append(part);
        }
    }
    for (const QString& part : parts) {
        local = FindNameIgnoringCase(local, part);
        if (local.isEmpty())
            return {};
    }
    return local;
}

QString WineWindowsPath(const QString& localPath)
{
    QString path = QFileInfo(localPath).absoluteFilePath();
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return QStringLiteral("Z:") + path;
}
