#pragma once
// The weighted listing sort: ".." first, directories before files, the tag
// term, then the five keys by their weights.
#include "panes/file_list.h"
#include "services/sort_keys.h"

// 0 when off or priority 0; otherwise 2^|priority|, negated for a negative
// priority or when down is set.
long long sortWeight(const SortItem& item);

// The comparison of two entries: negative puts a first.
long long compareEntries(const FileEntry& a, const FileEntry& b, const SortKeys& keys);

void sortListing(FileList& list, const SortKeys& keys);
