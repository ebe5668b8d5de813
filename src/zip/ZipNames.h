#pragma once
// Member names: their byte form in the archive and the sanitising that keeps every name inside
// the folder it is extracted to.
#include <QByteArray>
#include <QString>

// The stored bytes of an entry name: `\` replaced by `/`, encoded in GBK. False when the name is
// empty, cannot be encoded or is longer than 259 bytes.
bool EncodeEntryName(const QString& name, QByteArray* out);
// Text of stored name bytes (cut at the first NUL): UTF-8 when the archive says so (flag bit 11),
// GBK otherwise.
QString DecodeEntryName(const QByteArray& bytes, bool utf8);
// Strips drive letters, leading separators and parent-folder steps from a member name, so that
// the result is relative and names no folder above its base. False when the name still holds a
// ".." step afterwards (it is refused rather than guessed at).
bool SanitiseEntryName(QString* name);
