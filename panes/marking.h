#pragma once
// Marking rules: no marks in a network listing, never on "..".
#include <cstddef>
#include <string_view>

#include "panes/file_list.h"
#include "panes/listing_source.h"

inline bool isParentName(std::string_view name) { return name == ".."; }

bool canMark(const FileList& list, ListingSource source, std::size_t index);

// False when the rules leave the entry as it is.
bool toggleMark(FileList& list, ListingSource source, std::size_t index);

// Marks every entry from a to b, both included, in either order; returns how
// many marks were newly set.
std::size_t markRange(FileList& list, ListingSource source, std::size_t a, std::size_t b);

// The counts the all-mark toggle decides by, ".." left out.
struct MarkCounts {
    std::size_t directories = 0;
    std::size_t markedDirectories = 0;
    std::size_t files = 0;
    std::size_t markedFiles = 0;
};
MarkCounts countMarks(const FileList& list);

// Mark when nothing is marked; clear when every file is; otherwise mark while
// the directories are all marked or all unmarked, clear when they are mixed.
bool allMarkValue(const MarkCounts& counts);

// Sets that value on every file, and with withDirectories on every directory.
// False when nothing could change (empty or network listing).
bool toggleAllMarks(FileList& list, ListingSource source, bool withDirectories);

void clearMarks(FileList& list);
