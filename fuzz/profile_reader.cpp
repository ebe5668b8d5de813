// Reads arbitrary bytes as a description file the way an open does, then updates it.
#include "skin/ProfileFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ProfileFile profile;
    profile.SetBytes(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    static const char* const kShortKeys[] = {"tile",  "hue",      "sat",         "light",
                                             "white", "lefttopx", "rightbottomy"};
    for (const char* key : kShortKeys) {
        if (profile.ReadBytes("CONF", key, kProfileShortBuffer).size() > kProfileShortBuffer - 1)
            __builtin_trap();
        profile.ReadInt("CONF", key, kProfileShortBuffer);
    }
    const int count = profile.ReadInt("KEY", "swfcontrolnum", kProfileCountBuffer);
    for (int k = 1; k <= 3 && k <= count; ++k)
        SplitProfileValue(profile.ReadBytes("KEY", "swfcontrol" + QByteArray::number(k), kProfileTextBuffer));
    SplitProfileValue(profile.ReadBytes("KEY", "swflefttop", kProfileTextBuffer));
    const QString name = profile.ReadString("CONF", "showname", kProfileTextBuffer);

    // An update keeps the file readable and the value readable back.
    profile.WriteBytes("CONF", "hue", "120");
    profile.WriteBytes("NEW", "key", "v");
    ProfileFile again;
    again.SetBytes(profile.Bytes());
    if (again.ReadBytes("NEW", "key", kProfileTextBuffer) != "v" ||
        again.ReadInt("CONF", "hue", kProfileShortBuffer) != 120)
        __builtin_trap();
    (void)name;
    return 0;
}
