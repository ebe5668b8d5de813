// Reads arbitrary bytes as a movie header, the way a control is sized when it opens.
#include "flash/core/SwfHeader.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    const SwfFrameSize read = ReadSwfFrameSize(device);
    if (device.pos() > 8 + 1024)
        __builtin_trap();
    if (!read.ok && (read.width != 0 || read.height != 0))
        __builtin_trap();
    if (read.ok && (read.width < 0 || read.height < 0))
        __builtin_trap();
    const SwfFrameSize body = SwfFrameSizeFromBody(bytes);
    if (body.width < 0 || body.height < 0)
        __builtin_trap();
    return 0;
}
