#include "ZipTime.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTimeZone>
#include <sys/stat.h>

uint64_t FileTimeFromUnix(uint32_t seconds)
{
    return uint64_t(seconds) * FILETIME_PER_SECOND + FILETIME_UNIX_EPOCH;
}

uint64_t FileTimeFromMSecs(int64_t msecs)
{
    return uint64_t(int64_t(FILETIME_UNIX_EPOCH) + msecs * 10000);
}

int64_t MSecsFromFileTime(uint64_t fileTime)
{
    return (int64_t(fileTime) - int64_t(FILETIME_UNIX_EPOCH)) / 10000;
}

uint32_t UnixFromFileTime(uint64_t fileTime)
{
    return uint32_t(
        uint64_t((int64_t(fileTime) - int64_t(FILETIME_UNIX_EPOCH)) / int64_t(FILETIME_PER_SECOND)));
}

void DosDateTimeFromFileTime(uint64_t fileTime, uint16_t* dosDate, uint16_t* dosTime)
{
    const QDateTime utc = QDateTime::fromMSecsSinceEpoch(MSecsFromFileTime(fileTime), QTimeZone::utc());
    const QDate date = utc.date();
    const QTime time = utc.time();
    *dosDate = uint16_t((((date.year() - 1980) & 0x7F) << 9) | (date.month() << 5) | date.day());
    *dosTime = uint16_t((time.hour() << 11) | (time.minute() << 5) | (time.second() / 2));
}

uint64_t FileTimeFromDosDateTime(uint16_t dosDate, uint16_t dosTime)
{
    const QDate date(1980 + (dosDate >> 9), (dosDate >> 5) & 0x0F, dosDate & 0x1F);
    const QTime time((dosTime >> 11) & 0x1F, (dosTime >> 5) & 0x3F, 2 * (dosTime & 0x1F));
    if (!date.isValid() || !time.isValid())
        return 0;
    const QDateTime local(date, time, Qt::LocalTime);
    if (!local.isValid())
        return 0;
    return FileTimeFromMSecs(local.toMSecsSinceEpoch());
}

bool ReadFileTimes(const QString& path, FileTimes* out)
{
    const QFileInfo info(path);
    const QDateTime modified = info.lastModified();
    if (!modified.isValid())
        return false;
    out->modification = FileTimeFromMSecs(modified.toMSecsSinceEpoch());
    const QDateTime read = info.lastRead();
    out->access = read.isValid() ? FileTimeFromMSecs(read.toMSecsSinceEpoch()) : out->modification;
    const QDateTime born = info.birthTime();
    out->creation = born.isValid() ? FileTimeFromMSecs(born.toMSecsSinceEpoch()) : out->modification;
    return true;
}

static timespec TimespecFromFileTime(uint64_t fileTime)
{
    const int64_t ticks = int64_t(fileTime) - int64_t(FILETIME_UNIX_EPOCH);
    int64_t seconds = ticks / int64_t(FILETIME_PER_SECOND);
    int64_t rest = ticks % int64_t(FILETIME_PER_SECOND);
    if (rest < 0) {
        rest += int64_t(FILETIME_PER_SECOND);
        --seconds;
    }
    timespec ts{};
    ts.tv_sec = time_t(seconds);
    ts.tv_nsec = long(rest * 100);
    return ts;
}

bool ApplyFileTimes(int fd, uint64_t access, uint64_t modification)
{
    if (access == 0 && modification == 0)
        return true;
    timespec times[2];
    times[0] = access ? TimespecFromFileTime(access) : timespec{0, UTIME_OMIT};
    times[1] = modification ? TimespecFromFileTime(modification) : timespec{0, UTIME_OMIT};
    return futimens(fd, times) == 0;
}
