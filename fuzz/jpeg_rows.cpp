// Decodes arbitrary bytes as a JPEG band: the first two bytes choose the rows, the rest is the
// file. Whatever comes back is the rows asked for at the file's declared width, or nothing.
#include "imaging/JpegRows.h"

#include <QImageReader>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    QImageReader::setAllocationLimit(64); // megabytes: a forged size must not take the machine
    const int top = data[0] % 64;
    const int bottom = top + 1 + data[1] % 64;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + 2, qsizetype(size - 2));
    int reports = 0;
    int last = 0;
    const QImage rows = DecodeJpegRows(bytes, top, bottom, [&](const QImage& band, int decoded) {
        if (decoded <= last || decoded > band.height())
            __builtin_trap();
        last = decoded;
        ++reports;
    });
    if (!rows.isNull()) {
        const QSize declared = JpegDeclaredSize(bytes);
        if (rows.size() != QSize(declared.width(), bottom - top) || rows.format() != QImage::Format_ARGB32 ||
            reports == 0 || last != bottom - top)
            __builtin_trap();
    }
    return 0;
}
