#pragma once
// The texts of one row of the result list.
#include <cstdint>
#include <string>

// 1234567 gives "1,234,567".
std::string sizeText(uint64_t size);

struct LocalTime {
    int year, month, day, hour, minute;
};
// "2026-12-08 07:05".
std::string timeText(const LocalTime& t);
