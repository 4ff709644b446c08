#pragma once
// File times (100 ns steps since 1601-01-01 UTC) from calendar fields, as the
// listings give them.
#include <cstdint>
#include <optional>
#include <string_view>

namespace ftp {

struct CalendarTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// None for a field out of range (year 1601 to 9999).
std::optional<uint64_t> fileTimeOf(const CalendarTime& t);
// "YYYYMMDDHHMMSS" in UTC with an optional fraction (MDTM, MLSD "modify").
std::optional<uint64_t> parseTimeValue(std::string_view s);

CalendarTime calendarOf(uint64_t fileTime);

constexpr uint64_t FileTimeSecond = 10000000ull;
constexpr uint64_t FileTimeDay = 86400ull * FileTimeSecond;

}  // namespace ftp
