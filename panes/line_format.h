#pragma once
// The text of one pane line: mark, name and extension fields, size, date,
// time and a closing blank. One byte is one cell, so a double-byte character
// takes two cells and the widths here are cell counts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "panes/file_entry.h"

// A last-write time already converted to local time by the shell, so this
// code needs no time zone.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct ColumnWidths {
    int32_t nameWidth = 0;
    int32_t extWidth = 0;
    bool operator==(const ColumnWidths&) const = default;
};

struct DisplaySwitches {
    bool showSize = true;
    bool showDate = true;
    bool showTime = true;
    bool operator==(const DisplaySwitches&) const = default;
};

constexpr int SizeFieldWidth = 11;
constexpr int DateFieldWidth = 9;
constexpr int TimeFieldWidth = 9;

// Cells of a line without the mark sign and the closing blank.
int lineWidth(ColumnWidths widths, DisplaySwitches switches);

// A name cut at its last "." for the name and extension columns. ".." and a
// name whose only "." leads it have no extension.
struct NameSplit {
    std::size_t stemLength = 0;
    std::size_t extStart = std::string_view::npos;  // first byte after the "."
    std::size_t extLength(std::string_view name) const {
        return extStart == std::string_view::npos ? 0 : name.size() - extStart;
    }
};
NameSplit splitName(std::string_view name);

// Where the bytes of a name land in its name field, after the long-extension
// rule and the "~" cut.
struct NameLayout {
    int nameWidth = 0;              // N after an over-long extension joined the stem
    int extWidth = 0;               // E, 0 then
    std::size_t stemBytes = 0;      // bytes shown from cell 1 on
    bool cut = false;               // the stem ends in "~"
    std::size_t extStart = std::string_view::npos;  // shown extension, npos for none
    // Line cell of a name byte (the mark sign is cell 0), -1 when not shown.
    int cellOf(std::size_t byte) const;
};
NameLayout layoutName(std::string_view name, ColumnWidths widths);

// "1,234" up to 999,999,999; plain digits above.
std::string sizeDigits(uint64_t size);
// "," between every group of three digits, whatever the size.
std::string groupedDigits(uint64_t value);

// The single fields, each at its fixed width (a size of 100 GB or more is
// wider than the field, as the plain digits need the room).
std::string sizeField(const FileEntry& entry);
std::string dateField(const FileEntry& entry, const LocalTime& time);
std::string timeField(const FileEntry& entry, const LocalTime& time);

// The whole line; out is overwritten so a drawing loop can reuse its buffer.
void formatLine(std::string& out, const FileEntry& entry, ColumnWidths widths,
                DisplaySwitches switches, const LocalTime& time);
std::string lineText(const FileEntry& entry, ColumnWidths widths, DisplaySwitches switches,
                     const LocalTime& time);
