#pragma once
// Case-insensitive, double-byte-aware comparison of names: single-byte letters
// fold to lower case, double-byte characters compare by both bytes.
#include <string_view>

int compareNoCase(std::string_view a, std::string_view b);  // <0, 0, >0
inline bool equalNoCase(std::string_view a, std::string_view b) { return compareNoCase(a, b) == 0; }
