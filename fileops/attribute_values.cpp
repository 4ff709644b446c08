#include "fileops/attribute_values.h"

namespace {

struct Range {
    int low;
    int high;
};

constexpr Range Ranges[TimeFieldCount] = {
    {1980, 2030}, {1, 12}, {1, 31}, {0, 23}, {0, 59}, {0, 59},
};

// "年は 1980 から 2030 の間で入力してください。" and its kin.
const char* const RangeMessages[TimeFieldCount] = {
    "\x94\x4e\x82\xcd 1980 \x82\xa9\x82\xe7 2030 \x82\xcc\x8a\xd4\x82\xc5\x93\xfc\x97\xcd\x82\xb5"
    "\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42",
    "\x8c\x8e\x82\xcd 1 \x82\xa9\x82\xe7 12 \x82\xcc\x8a\xd4\x82\xc5\x93\xfc\x97\xcd\x82\xb5\x82\xc4"
    "\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42",
    "\x93\xfa\x82\xcd 1 \x82\xa9\x82\xe7 31 \x82\xcc\x8a\xd4\x82\xc5\x93\xfc\x97\xcd\x82\xb5\x82\xc4"
    "\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42",
    "\x8e\x9e\x82\xcd 0 \x82\xa9\x82\xe7 23 \x82\xcc\x8a\xd4\x82\xc5\x93\xfc\x97\xcd\x82\xb5\x82\xc4"
    "\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42",
    "\x95\xaa\x82\xcd 0 \x82\xa9\x82\xe7 59 \x82\xcc\x8a\xd4\x82\xc5\x93\xfc\x97\xcd\x82\xb5\x82\xc4"
    "\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42",
    "\x95\x62\x82\xcd 0 \x82\xa9\x82\xe7 59 \x82\xcc\x8a\xd4\x82\xc5\x93\xfc\x97\xcd\x82\xb5\x82\xc4"
    "\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42",
};

// "その月にその日はありません。"
const char* const NoSuchDayMessage =
    "\x82\xbb\x82\xcc\x8c\x8e\x82\xc9\x82\xbb\x82\xcc\x93\xfa\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9"
    "\x82\xf1\x81\x42";

// "時刻の指定"
const char* const Caption = "\x8e\x9e\x8d\x8f\x82\xcc\x8e\x77\x92\xe8";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::uint32_t attributeValue(const AttributeChecks& checks) {
    std::uint32_t value = 0;
    if (checks.readOnly) value |= attribute_bit::ReadOnly;
    if (checks.hidden) value |= attribute_bit::Hidden;
    if (checks.system) value |= attribute_bit::System;
    if (checks.archive) value |= attribute_bit::Archive;
    return value;
}

AttributeChecks checksOf(std::uint32_t attributes) {
    return {(attributes & attribute_bit::ReadOnly) != 0, (attributes & attribute_bit::Hidden) != 0,
            (attributes & attribute_bit::System) != 0, (attributes & attribute_bit::Archive) != 0};
}

std::string attributeSubjectName(const std::vector<std::string>& names) {
    return names.size() == 1 ? names.front() : std::string("TAGFILES");
}

AttributeChecks initialAttributeChecks(std::size_t entryCount, std::uint32_t firstAttributes) {
    if (entryCount == 1) return checksOf(firstAttributes);
    AttributeChecks checks;
    checks.archive = true;
    return checks;
}

bool parseFieldNumber(std::string_view text, int& value) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    // Six digits are more than any field holds, and keep the sum far from overflow.
    if (begin == end || end - begin > 6) return false;
    int number = 0;
    for (std::size_t i = begin; i < end; ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    value = number;
    return true;
}

int daysInMonth(int year, int month) {
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2) {
        bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return leap ? 29 : 28;
    }
    return Days[month - 1];
}

TimeCheck checkTimeFields(const std::array<std::string, TimeFieldCount>& texts) {
    TimeCheck check;
    int values[TimeFieldCount] = {};
    for (std::size_t i = 0; i < TimeFieldCount; ++i) {
        if (!parseFieldNumber(texts[i], values[i]) || values[i] < Ranges[i].low ||
            values[i] > Ranges[i].high) {
            check.badField = static_cast<TimeField>(i);
            return check;
        }
    }
    FieldTime time{values[0], values[1], values[2], values[3], values[4], values[5]};
    if (time.day > daysInMonth(time.year, time.month)) {
        check.badField = TimeField::Day;
        check.noSuchDay = true;
        return check;
    }
    check.ok = true;
    check.time = time;
    return check;
}

std::string timeFieldMessage(const TimeCheck& check) {
    if (check.ok) return {};
    if (check.noSuchDay) return NoSuchDayMessage;
    return RangeMessages[static_cast<std::size_t>(check.badField)];
}

std::string timeMessageCaption() { return Caption; }
