#pragma once
// The rules of the Attribute dialog that need no platform: the attribute value
// built from its check boxes, the name it shows, and the check of the six
// time fields before a time is written to any file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace attribute_bit {
constexpr std::uint32_t ReadOnly = 1;
constexpr std::uint32_t Hidden = 2;
constexpr std::uint32_t System = 4;
constexpr std::uint32_t Directory = 16;  // only ever read
constexpr std::uint32_t Archive = 32;
}  // namespace attribute_bit

struct AttributeChecks {
    bool readOnly = false;
    bool hidden = false;
    bool system = false;
    bool archive = false;
    bool operator==(const AttributeChecks&) const = default;
};

// The value to set: only the four bits the dialog offers.
std::uint32_t attributeValue(const AttributeChecks& checks);
AttributeChecks checksOf(std::uint32_t attributes);

// The name field: the entry's own name for exactly one entry, the marker
// "TAGFILES" otherwise.
std::string attributeSubjectName(const std::vector<std::string>& names);
// The boxes a dialog opens with: one entry shows its own bits, several show
// only the archive bit.
AttributeChecks initialAttributeChecks(std::size_t entryCount, std::uint32_t firstAttributes);

// The time fields in the order the dialog shows them.
enum class TimeField { Year, Month, Day, Hour, Minute, Second };
constexpr std::size_t TimeFieldCount = 6;

struct FieldTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const FieldTime&) const = default;
};

struct TimeCheck {
    bool ok = false;
    TimeField badField = TimeField::Year;  // where the focus goes when !ok
    bool noSuchDay = false;  // the day is in 1..31 but not in that month
    FieldTime time;          // valid only when ok
};

// Reads the six field texts (blanks around the digits allowed, nothing else)
// and checks each range: year 1980 to 2030, month 1 to 12, day 1 to 31 and
// present in that month, hour 0 to 23, minute and second 0 to 59. The first
// bad field in dialog order is reported.
TimeCheck checkTimeFields(const std::array<std::string, TimeFieldCount>& texts);

// The digits of a field as a number; false for an empty text, a sign,
// anything but digits and blanks, or more digits than any field needs.
bool parseFieldNumber(std::string_view text, int& value);

int daysInMonth(int year, int month);

// The Shift-JIS message that tells the user what a bad field must hold.
std::string timeFieldMessage(const TimeCheck& check);
// The caption of that message box.
std::string timeMessageCaption();
