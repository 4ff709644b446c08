#include "ftp/file_time.h"

namespace ftp {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

bool isDigitChar(char c) { return c >= '0' && c <= '9'; }

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

constexpr int64_t UnixEpochDays1601 = 134774;  // days from 1601-01-01 to 1970-01-01

}  // namespace

std::optional<uint64_t> fileTimeOf(const CalendarTime& t) {
    static const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (t.year < 1601 || t.year > 9999 || t.month < 1 || t.month > 12) return std::nullopt;
    int days = monthDays[t.month - 1] + (t.month == 2 && isLeap(t.year) ? 1 : 0);
    if (t.day < 1 || t.day > days || t.hour < 0 || t.hour > 23 || t.minute < 0 ||
        t.minute > 59 || t.second < 0 || t.second > 60)
        return std::nullopt;
    int64_t d = daysFromCivil(t.year, t.month, t.day) + UnixEpochDays1601;
    int64_t seconds = d * 86400 + t.hour * 3600 + t.minute * 60 + (t.second == 60 ? 59 : t.second);
    return static_cast<uint64_t>(seconds) * FileTimeSecond;
}

std::optional<uint64_t> parseTimeValue(std::string_view s) {
    if (s.size() < 14) return std::nullopt;
    for (int k = 0; k < 14; ++k)
        if (!isDigitChar(s[k])) return std::nullopt;
    auto field = [&](int at, int len) {
        int v = 0;
        for (int k = 0; k < len; ++k) v = v * 10 + (s[at + k] - '0');
        return v;
    };
    CalendarTime t{field(0, 4), field(4, 2), field(6, 2), field(8, 2), field(10, 2), field(12, 2)};
    auto ft = fileTimeOf(t);
    if (!ft) return std::nullopt;
    uint64_t value = *ft;
    if (s.size() > 14) {
        if (s[14] != '.') return std::nullopt;
        uint64_t scale = FileTimeSecond / 10;
        for (std::size_t k = 15; k < s.size(); ++k) {
            if (!isDigitChar(s[k])) return std::nullopt;
            value += static_cast<uint64_t>(s[k] - '0') * scale;
            scale /= 10;
        }
    }
    return value;
}

CalendarTime calendarOf(uint64_t fileTime) {
    int64_t seconds = static_cast<int64_t>(fileTime / FileTimeSecond);
    int64_t z = seconds / 86400 - UnixEpochDays1601 + 719468;
    int64_t rest = seconds % 86400;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    CalendarTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

}  // namespace ftp
