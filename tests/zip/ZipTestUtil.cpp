#include "ZipTestUtil.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <fcntl.h>
#include <sys/stat.h>
#include <zlib.h>

namespace ziptest {

bool SetUnixTimes(const QString& path, int64_t access, int64_t modify)
{
    const timespec times[2] = {{time_t(access), 0}, {time_t(modify), 0}};
    return utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

QByteArray RawInflate(const QByteArray& data, bool* ok)
{
    z_stream s{};
    inflateInit2(&s, -15);
    QByteArray out;
    char buffer[4096];
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    s.avail_in = uInt(data.size());
    int rc = Z_OK;
    do {
        s.next_out = reinterpret_cast<Bytef*>(buffer);
        s.avail_out = sizeof buffer;
        rc = inflate(&s, Z_NO_FLUSH);
        out.append(buffer, qsizetype(sizeof buffer - s.avail_out));
    } while (rc == Z_OK);
    inflateEnd(&s);
    *ok = rc == Z_STREAM_END && s.avail_in == 0;
    return out;
}

int RunTool(const QString& program, const QStringList& arguments, QByteArray* output,
            const QString& workingFolder)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return -1;
    process.closeWriteChannel();
    if (!process.waitForFinished(120000))
        return -1;
    if (output)
        *output = process.readAll();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QByteArray PhotoRows(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i / 3 % 6000) / 30 + (i % 3) * 50 + random.bounded(6));
    return bytes;
}

QByteArray Noise(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

} // namespace ziptest
