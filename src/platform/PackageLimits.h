#pragma once
// How much an untrusted skin package may make the program unpack or decode. A real skin is a
// few hundred KB: a handful of strips, a thumbnail, small PNG and SWF files and a short
// description file. The wizard, the package opener and skinmaker-cli all use these limits.
#include <cstdint>

// Uncompressed size of one member.
inline constexpr int64_t kMaxMemberBytes = int64_t(64) << 20;
// Uncompressed size of all members of one package together.
inline constexpr int64_t kMaxPackageBytes = int64_t(256) << 20;
// Members of one package (a skin has at most a few dozen).
inline constexpr int kMaxPackageMembers = 1000;
// The description file "conf.ini".
inline constexpr int64_t kMaxDescriptionBytes = int64_t(64) << 10;
// Pixels of a header strip, of the header joined from them, and of the thumbnail.
inline constexpr int64_t kMaxPackagePicturePixels = 40'000'000;
