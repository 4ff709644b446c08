#pragma once
// Directory listings as the data connection brings them: MLSD lines with
// facts, or LIST lines in the Unix or the DOS style. Names stay the server's
// bytes here; conversion and the safety check come after.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ftp/file_time.h"

namespace ftp {

struct ListedEntry {
    std::string name;
    bool directory = false;
    bool link = false;
    uint64_t size = 0;
    uint64_t time = 0;       // file time, UTC; 0 when the line gave none
    bool exactTime = false;  // from MLSD: not subject to the time correction
};

enum class LineKind { Entry, Skip, Unknown };

LineKind parseMlsdLine(std::string_view line, ListedEntry& entry);
// A "Mon DD HH:MM" date without a year lies in the year before now when it
// would otherwise be more than a day ahead of now.
LineKind parseUnixLine(std::string_view line, const CalendarTime& now, ListedEntry& entry);
LineKind parseDosLine(std::string_view line, ListedEntry& entry);

struct Listing {
    std::vector<ListedEntry> entries;
    // Nothing was understood and every line held a blank: the server sent
    // whole lines of a form we do not know, and each name was cut to the text
    // after its last blank.
    bool wholeLines = false;
    int unknownLines = 0;  // left out because they were neither entries nor known noise
};

Listing parseListing(std::string_view data, bool mlsd, const CalendarTime& now);

}  // namespace ftp
