#include "ftp/time_rule.h"

#include "ftp/file_time.h"

namespace ftp {

uint64_t correctedTime(uint64_t fileTime, bool exact, uint64_t nowUtc) {
    if (exact || fileTime == 0) return fileTime;
    constexpr uint64_t NineHours = 9ull * 3600 * FileTimeSecond;
    if (fileTime <= NineHours) return fileTime;
    uint64_t t = fileTime - NineHours;
    if (t > nowUtc + FileTimeDay) {
        CalendarTime c = calendarOf(t);
        c.year -= 1;
        if (c.month == 2 && c.day == 29) c.day = 28;
        if (auto earlier = fileTimeOf(c)) t = *earlier;
    }
    return t;
}

}  // namespace ftp
