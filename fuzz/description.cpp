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
    if (description.extraControls.size() > kMaxOpenedExtraControls || description.declaredExtraControls < 0)
        std::abort();
    for (const FlashControl& control : description.extraControls) {
        if (!IsValidCorner(control.corner) || !control.path.isEmpty())
            std::abort();
    }
    return 0;
}
