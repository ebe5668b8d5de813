#pragma once
// An INI ("private profile") file as the player reads it: "[SECTION]" lines followed by
// "key=value" lines, CR LF line ends, text in GBK. Section and key names match without regard
// to ASCII case; the first match wins. Writing appends a new key at the end of its section and
// a new section at the end of the file, and replaces an existing key's line in place; every
// other line is kept byte for byte.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Read buffer sizes, terminator included: a value is cut to one byte less.
inline constexpr int kProfileShortBuffer = 5;  // colour numbers, "tile", "white", offsets
inline constexpr int kProfileCountBuffer = 10; // "swfcontrolnum"
inline constexpr int kProfileTextBuffer = 256; // flash control values, "showname"

class ProfileFile {
public:
    // A missing file loads as an empty profile; false only when an existing file cannot be read.
    bool Load(const QString& path);
    void SetBytes(QByteArrayView bytes);
    QByteArray Bytes() const;
    bool Save(const QString& path) const;

    // The value with blanks around it and then one pair of matching double or single quotes
    // around it removed, cut to bufferSize - 1 bytes (never inside a two-byte character); empty
    // when the section or key is missing.
    QByteArray ReadBytes(QByteArrayView section, QByteArrayView key, int bufferSize) const;
    QString ReadString(QByteArrayView section, QByteArrayView key, int bufferSize) const;
    int ReadInt(QByteArrayView section, QByteArrayView key, int bufferSize) const;

    // False (and nothing changes) when value has a character GBK cannot hold or a line break.
    bool WriteString(QByteArrayView section, QByteArrayView key, const QString& value);
    void WriteBytes(QByteArrayView section, QByteArrayView key, QByteArrayView value);

private:
    qsizetype FindSection(QByteArrayView section) const;
    // Index of the key's line in the section starting after line sectionLine, or -1.
    qsizetype FindKey(qsizetype sectionLine, QByteArrayView key) const;

    QList<QByteArray> m_lines; // without their line ends
};

// Decimal conversion of a value: leading blanks, an optional sign, then digits; anything else
// ends the number; no digits give 0. Values beyond the 32-bit range are clamped to it.
int ProfileToInt(QByteArrayView text);
// The maximal runs of non-comma characters of text, each converted with ProfileToInt:
// "10,,20,30,40" gives 10, 20, 30, 40.
QList<int> SplitProfileValue(QByteArrayView text);
