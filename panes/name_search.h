#pragma once
// Finding entries by wildcard pattern: the search that wraps around the
// listing, the incremental find, refind and putting the cursor on a name.
#include <string>
#include <string_view>
#include <vector>

#include "panes/file_list.h"

// The pattern a search really matches: in a listing of computer names
// ("\\name") a typed name gets the leading pair of backslashes.
std::string effectivePattern(const FileList& list, std::string_view pattern);

// The first entry that matches, visiting each entry once from start on,
// forwards past the end to 0 or backwards below 0 to the last; -1 when none.
int searchListing(const FileList& list, std::string_view pattern, int start, bool backwards);

// Every matching entry in listing order.
std::vector<int> collectMatches(const FileList& list, std::string_view pattern);

// The Find dialog's text as posted to the pane: every blank becomes "*".
std::string findTextPattern(std::string_view typed);

struct FindHit {
    int index = -1;
    std::string pattern;  // the pattern that matched, the new find pattern
};
// Names that begin with text, from the cursor on; failing that names that
// contain it (unless text begins with a wildcard). Empty text finds nothing.
FindHit incrementalFind(const FileList& list, std::string_view text, int cursor);

// The next (or previous) match of pattern after the cursor, wrapping; -1 when none.
int refindTarget(const FileList& list, std::string_view pattern, int cursor, bool backwards);

// The entry named name (without regard to case); when that is missing or the
// first entry, the first match of name as a pattern from the cursor on.
int cursorForName(const FileList& list, std::string_view name, int cursor);
