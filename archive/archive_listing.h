#pragma once
// One level of an archive as a listing: the members come one by one from a
// library's FindFirst/FindNext and are folded into the files and folders
// directly below the folder shown.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "panes/file_list.h"

// What the listing reads of one member record.
struct ArchiveMember {
    std::string_view name;       // path inside the archive, "/" or "\" separated
    std::string_view attribute;  // "A" archive, "D" directory
    std::uint32_t size = 0;
    std::uint16_t date = 0;  // MS-DOS date and time, local
    std::uint16_t time = 0;
};

// MS-DOS local date and time as a file time (100 ns since 1601), still local.
std::uint64_t dosToLocalFileTime(std::uint16_t date, std::uint16_t time);

class ArchiveLevel {
public:
    // localToUtc turns a local file time into a universal one.
    ArchiveLevel(std::string_view inside, std::uint64_t (*localToUtc)(std::uint64_t));

    void add(const ArchiveMember& member);
    // The listing so far: ".." first once any member was seen.
    FileList take() { return std::move(list_); }

private:
    std::string inside_;  // normalised, in the archive's own separator once known
    char separator_ = 0;
    std::uint64_t (*localToUtc_)(std::uint64_t);
    // The platform's conversion is slow (a time-zone query per call), and its
    // offset changes only at whole hours: one call per local hour seen.
    std::uint64_t toUtc(std::uint64_t local);
    std::unordered_map<std::uint64_t, std::int64_t> offsetByHour_;
    std::uint64_t lastHour_ = ~0ULL;
    std::int64_t lastOffset_ = 0;
    std::unordered_set<std::string> folders_;
    FileList list_;
    std::string lowerInside_;
};
