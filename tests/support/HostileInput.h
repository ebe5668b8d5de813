#pragma once
// Packages a stranger could hand over, built in the test, and the process's memory as the kernel
// counts it.
#include <QString>

namespace skintest {

// A small package whose conf.ini places items far beyond any window: a right-top control of
// 23000 x 23000 pixels, or (spread) decorations and a control 20000 pixels off their corners
// (read as 2000 where a value is cut to four characters) and a control of 4000 x 4000; or
// one with a 12000 x 12000 decoration picture (a few KB packed). Written into folder; the path.
enum class HostilePackage { HugeControl, SpreadItems, HugeDecoration };
QString WriteHostilePackage(const QString& folder, HostilePackage kind);

// The resident memory of this process now, and the most it has held since the last reset, in KiB.
long ResidentKiB();
long PeakResidentKiB();
// Starts counting the peak anew from what is resident now (false where the kernel cannot).
bool ResetPeakResident();
// Whether memory figures say something about our code: under AddressSanitizer its shadow memory
// and quarantine dominate them.
constexpr bool MemoryIsMeasurable()
{
#if defined(__SANITIZE_ADDRESS__)
    return false;
#else
    return true;
#endif
}

} // namespace skintest
