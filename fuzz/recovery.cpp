// Reads arbitrary bytes as a recovery file (ReadRecovery), from a private scratch folder.
#include "skin/PackageNames.h"
#include "skin/RecoveryFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    QFile file(folder.filePath(QLatin1String(kRecoveryFileName)));
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        __builtin_trap();
    file.close();
    const RecoveryRead read = ReadRecovery(folder.path());
    if (read.state.has_value() == !read.error.isEmpty())
        __builtin_trap();
    if (read.state) {
        const RecoveryState& state = *read.state;
        if (state.step < 0 || state.step > 5 ||
            state.content.items.size() > 2 * kCornerCount + kMaxFlashControls)
            __builtin_trap();
        for (const CornerItem& item : state.content.items) {
            if (!IsValidCorner(item.corner) || item.file.isEmpty())
                __builtin_trap();
        }
        if (state.content.picture == nullptr && !state.content.picturePath.isEmpty())
            __builtin_trap();
    }
    return 0;
}
