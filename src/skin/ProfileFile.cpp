#include "skin/ProfileFile.h"

#include "skin/GbkText.h"

#include <QFile>
#include <QSaveFile>

#include <climits>

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

static QByteArrayView TrimBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

static bool SameName(QByteArrayView a, QByteArrayView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The name of a "[name]" line, or a null view when the line is not a section header.
static QByteArrayView SectionName(QByteArrayView line)
{
    line = TrimBlanks(line);
    if (!line.startsWith('['))
        return {};
    line = line.sliced(1);
    const qsizetype close = line.indexOf(']');
    if (close >= 0)
        line = line.first(close);
    QByteArrayView name = TrimBlanks(line);
    return name.isNull() ? QByteArrayView("", 0) : name;
}

bool ProfileFile::Load(const QString& path)
{
    m_lines.clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    SetBytes(file.readAll());
    return true;
}

void ProfileFile::SetBytes(QByteArrayView bytes)
{
    m_lines.clear();
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        m_lines.append(line.toByteArray());
        start = next;
    }
}

QByteArray ProfileFile::Bytes() const
{
    QByteArray bytes;
    for (const QByteArray& line : m_lines)
        bytes += line + "\r\n";
    return bytes;
}

bool ProfileFile::Save(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = Bytes();
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

qsizetype ProfileFile::FindSection(QByteArrayView section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QByteArrayView name = SectionName(m_lines[i]);
        if (!name.isNull() && SameName(name, section))
            return i;
    }
    return -1;
}

qsizetype ProfileFile::FindKey(qsizetype sectionLine, QByteArrayView key) const
{
    for (qsizetype i = sectionLine + 1; i < m_lines.size(); ++i) {
        const QByteArrayView line = m_lines[i];
        if (!SectionName(line).isNull())
            break;
        const qsizetype equals = line.indexOf('=');
        if (equals >= 0 && SameName(TrimBlanks(line.first(equals)), key))
            return i;
    }
    return -1;
}

QByteArray ProfileFile::ReadBytes(QByteArrayView section, QByteArrayView key, int bufferSize) const
{
    if (bufferSize <= 0)
        return {};
    const qsizetype sectionLine = FindSection(section);
    if (sectionLine < 0)
        return {};
    const qsizetype keyLine = FindKey(sectionLine, key);
    if (keyLine < 0)
        return {};
    const QByteArrayView line = m_lines[keyLine];
    QByteArrayView value = TrimBlanks(line.sliced(line.indexOf('=') + 1));
    // One pair of matching quotes around the whole value is not part of it.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return CutGbk(value, bufferSize - 1);
}

QString ProfileFile::ReadString(QByteArrayView section, QByteArrayView key, int bufferSize) const
{
    return DecodeGbk(ReadBytes(section, key, bufferSize));
}

int ProfileFile::ReadInt(QByteArrayView section, QByteArrayView key, int bufferSize) const
{
    return ProfileToInt(ReadBytes(section, key, bufferSize));
}

bool ProfileFile::WriteString(QByteArrayView section, QByteArrayView key, const QString& value)
{
    QByteArray bytes;
    if (value.contains('\r') || value.contains('\n') || !EncodeGbk(value, bytes))
        return false;
    WriteBytes(section, key, bytes);
    return true;
}

void ProfileFile::WriteBytes(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    const QByteArray line = key.toByteArray() + '=' + value.toByteArray();
    const qsizetype sectionLine = FindSection(section);
    if (sectionLine < 0) {
        m_lines.append('[' + section.toByteArray() + ']');
        m_lines.append(line);
        return;
    }
    const qsizetype keyLine = FindKey(sectionLine, key);
    if (keyLine >= 0) {
        m_lines[keyLine] = line;
        return;
    }
    // After the section's last non-blank line, so that blank lines before the next section stay.
    qsizetype insertAt = sectionLine + 1;
    for (qsizetype i = sectionLine + 1; i < m_lines.size() && SectionName(m_lines[i]).isNull(); ++i) {
        if (!TrimBlanks(m_lines[i]).isEmpty())
            insertAt = i + 1;
    }
    m_lines.insert(insertAt, line);
}

int ProfileToInt(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && (IsBlank(text[i]) || (text[i] >= '\n' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // clamped below; keeps the loop from overflowing
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

QList<int> SplitProfileValue(QByteArrayView text)
{
    QList<int> parts;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype comma = text.indexOf(',', start);
        if (comma < 0)
            comma = text.size();
        if (comma > start)
            parts.append(ProfileToInt(text.sliced(start, comma - start)));
        start = comma + 1;
    }
    return parts;
}
