#pragma once
// Text in the GBK code page, in which the player reads the description file.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// False when some character of text has no GBK form; out is then unspecified.
bool EncodeGbk(const QString& text, QByteArray& out);
// Bytes that are not valid GBK decode to U+FFFD.
QString DecodeGbk(QByteArrayView bytes);
// The longest prefix of bytes of at most maxBytes that does not split a two-byte character.
QByteArray CutGbk(QByteArrayView bytes, qsizetype maxBytes);
