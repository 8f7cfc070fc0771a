// A DOS time packs the hour (5 bits), minute (6) and second / 2 (5); a DOS date the years
// since 1980 (7 bits), month (4) and day (5). Both are local time.
#include "library/common/DosTime.h"

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace zeb {

void SetFileDosTime(const std::string& path, uint16_t time, uint16_t date)
{
    std::tm fields{};
    fields.tm_year = 80 + (date >> 9);
    fields.tm_mon = ((date >> 5) & 0x0F) - 1;
    fields.tm_mday = date & 0x1F;
    fields.tm_hour = time >> 11;
    fields.tm_min = (time >> 5) & 0x3F;
    fields.tm_sec = (time & 0x1F) * 2;
    fields.tm_isdst = -1;
    if (fields.tm_mon < 0 || fields.tm_mday == 0)
        return;
    std::time_t when = std::mktime(&fields);
    if (when == std::time_t(-1))
        return;
    timespec times[2] = {{when, 0}, {when, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

}  // namespace zeb
