#pragma once
// What a command, a drag or the clipboard works on: the marked entries, or
// the cursor entry when none is marked; ".." never.
#include <string>
#include <string_view>
#include <vector>

#include "panes/file_list.h"
#include "panes/listing_source.h"

std::vector<int> selectedIndices(const FileList& list, int cursor);

// The names of the selected entries; in an archive listing a directory is
// given as "name\*"; a network listing gives nothing. An entry whose name
// lost characters to the code page goes by its short name, or not at all.
std::vector<std::string> selectedNames(const FileList& list, int cursor, ListingSource source);

// The listed names of the selected entries that no name reaches exactly;
// a command over a selection holding one must be refused.
std::vector<std::string> unreachableNames(const FileList& list, int cursor);

// The selected names joined to the current directory, for a drag.
std::vector<std::string> dragPaths(const FileList& list, int cursor, ListingSource source,
                                   std::string_view directory);

// Dropped files that come from the pane's own directory are not copied:
// compares the first dropped path's directory with the current one.
bool droppedFromDirectory(std::string_view firstDroppedPath, std::string_view currentDirectory);
