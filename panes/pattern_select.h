#pragma once
// Marking by pattern: the Select dialog, the names of the clipboard text and
// the marks a refresh puts back.
#include <string>
#include <string_view>
#include <vector>

#include "panes/file_list.h"
#include "panes/listing_source.h"

struct SelectResult {
    int lowest = -1;      // the lowest matching entry, -1 when nothing matched
    std::size_t newlyMarked = 0;
};

// Marks every entry that one of the patterns matches (the marking rules
// apply). Many plain names are looked up through an index rather than
// matched against every entry one by one.
SelectResult markMatches(FileList& list, ListingSource source,
                         const std::vector<std::string>& patterns);

// The clipboard text cut into patterns: line breaks and "," separate them,
// empty pieces are dropped.
std::vector<std::string> clipboardPatterns(std::string_view text);
