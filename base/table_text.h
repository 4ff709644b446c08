#pragma once
// The line reader the key map, the labels and the colour, jump and history
// tables share.
#include <string>
#include <string_view>
#include <vector>

// The lines of a text without their line ends ("\n" or "\r\n"); a last line
// without one counts too.
std::vector<std::string_view> textLines(std::string_view text);

// The same with the lines beginning with "#" left out. Line feeds are never trail bytes, so lines keep every
// double-byte character whole.
std::vector<std::string_view> tableLines(std::string_view text);

// A line's fields, split at "," outside double-quoted parts ("," and '"' are
// never trail bytes either).
std::vector<std::string_view> tableFields(std::string_view line);

// A table's new records written into the layout of its old text: comment and
// blank lines stay where they stood, record lines are replaced in order,
// records beyond the old ones follow at the end, old ones beyond the new go.
std::string withCommentsKept(std::string_view oldText, std::string_view newRecords);
