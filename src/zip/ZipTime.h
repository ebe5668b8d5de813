#pragma once
// Time conversions for ZIP members. Times are carried as Windows file times (100-nanosecond
// units since 1601-01-01 UTC), the unit the archive's extended-timestamp field is defined against.
#include <QString>
#include <cstdint>

inline constexpr uint64_t FILETIME_UNIX_EPOCH = 116444736000000000ULL; // 1970-01-01 as a file time
inline constexpr uint64_t FILETIME_PER_SECOND = 10000000ULL;

uint64_t FileTimeFromUnix(uint32_t seconds);
uint64_t FileTimeFromMSecs(int64_t msecsSinceEpoch);
int64_t MSecsFromFileTime(uint64_t fileTime);
// Seconds since 1970 from a file time, as the low 32 bits written into "UT" fields.
uint32_t UnixFromFileTime(uint64_t fileTime);

// MS-DOS date and time from the UTC calendar fields of a file time (seconds halved).
void DosDateTimeFromFileTime(uint64_t fileTime, uint16_t* dosDate, uint16_t* dosTime);
// File time of a DOS date and time read as local time; 0 when the fields are not a valid date.
uint64_t FileTimeFromDosDateTime(uint16_t dosDate, uint16_t dosTime);

struct FileTimes {
    uint64_t access = 0;
    uint64_t creation = 0;
    uint64_t modification = 0;
};

// The three times of a file on this system. Linux keeps no creation time on every file system:
// where the birth time is not reported the modification time stands in for it; likewise for
// the access time.
bool ReadFileTimes(const QString& path, FileTimes* out);
// Sets access and modification time of an open file (0 leaves both unchanged). Linux has no way to
// set a file's creation time, so that one is not applied.
bool ApplyFileTimes(int fd, uint64_t access, uint64_t modification);
