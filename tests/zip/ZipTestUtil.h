#pragma once
// Small helpers shared by the ZIP tests.
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdint>

namespace ziptest {

inline uint32_t LE16(const QByteArray& b, qsizetype at)
{
    return uint8_t(b[at]) | (uint32_t(uint8_t(b[at + 1])) << 8);
}

inline uint32_t LE32(const QByteArray& b, qsizetype at)
{
    return LE16(b, at) | (LE16(b, at + 2) << 16);
}

// Rows of a smooth picture with a little grain, as a photograph's strip is.
QByteArray PhotoRows(qsizetype size, quint32 seed = 5);
// Bytes DEFLATE cannot shrink.
QByteArray Noise(qsizetype size, quint32 seed);
// Sets access and modification time of a file, in seconds since 1970 (UTC).
bool SetUnixTimes(const QString& path, int64_t access, int64_t modify);
// Inflates a raw DEFLATE stream; empty with ok=false when it is not one.
QByteArray RawInflate(const QByteArray& data, bool* ok);
// Runs a program and returns its exit code (-1 when it cannot start); output goes to *output.
int RunTool(const QString& program, const QStringList& arguments, QByteArray* output = nullptr,
            const QString& workingFolder = QString());

} // namespace ziptest
