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
// Where a decoration or flash control may hang from its corner, and how large it may be: offsets
// within -kMaxItemOffset..kMaxItemOffset and sides up to kMaxItemSide. The description file's
// values beyond are brought within these bounds when a package is read (a real skin places its
// items within a few hundred pixels of the player window).
inline constexpr int kMaxItemOffset = 4096;
inline constexpr int kMaxItemSide = 4096;
// Pixels of all decoration pictures of a package together, read from their headers before any is
// decoded; no side of one may exceed kMaxItemSide.
inline constexpr int64_t kMaxDecorationPixels = int64_t(kMaxItemSide) * kMaxItemSide;
