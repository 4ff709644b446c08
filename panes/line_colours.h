#pragma once
// The colour pair of a pane line; the cursor line swaps the two.
#include <cstdint>

#include "panes/ext_table.h"
#include "panes/file_entry.h"

// One day in file-time units (100 ns).
constexpr uint64_t FileTimeDay = 864'000'000'000ULL;

// nowUtc is the current time as a file time. Comparing in UTC is the same as
// comparing both converted to local time.
ColourPair lineColours(const FileEntry& entry, const ExtTable& table, bool todayColour,
                       uint64_t nowUtc);
