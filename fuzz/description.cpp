// Reads arbitrary bytes as a package's description file the way an open does (ReadDescription).
#include "skin/PackageNames.h"
#include "skin/ProfileFile.h"
#include "skin/SkinDescription.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ProfileFile profile;
    profile.SetBytes(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const SkinDescription description = ReadDescription(profile);
    if (description.extraControls.size() > kMaxFlashControls || description.declaredExtraControls < 0)
        std::abort();
    for (const CornerItem& control : description.extraControls) {
        if (!control.IsControl() || !IsValidCorner(control.corner) || !control.file.isEmpty())
            std::abort();
    }
    for (const std::optional<CornerItem>& control : description.cornerControls) {
        if (control && (!control->IsControl() || !control->file.isEmpty()))
            std::abort();
    }
    return 0;
}
