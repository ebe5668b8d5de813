// Reads arbitrary bytes as a skin package, in memory: unpacking with the package limits, the
// description file and the header rebuild, all as an open does them, with no file system.
#include "platform/PackageLimits.h"
#include "skin/SkinPackage.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const PackageContent content = ReadPackage(bytes, QStringLiteral("fuzz.vsf"));
    if (content.ok != content.error.isEmpty() || content.members.size() > kMaxPackageMembers)
        __builtin_trap();
    qint64 unpacked = 0;
    for (const UnzippedMember& member : content.members)
        unpacked += member.bytes.size();
    if (unpacked > kMaxPackageBytes)
        __builtin_trap();
    if (content.ok) {
        // What a page does next with an opened package: every extra control names one of the corners.
        for (const CornerItem& control : content.description.extraControls) {
            if (!IsValidCorner(control.corner))
                __builtin_trap();
        }
        if (content.header.source != RebuiltHeader::Source::None && content.header.header.isEmpty())
            __builtin_trap();
    }
    return 0;
}
