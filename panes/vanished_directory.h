#pragma once
// Where a pane goes when the directory it shows was removed from outside.
#include <functional>
#include <string>
#include <string_view>

// The nearest directory above path that isDirectory still accepts; "" when
// none is left or path is no local path ("C:\..." or "\\server\share\...").
std::string nearestExistingAncestor(std::string_view path,
                                    const std::function<bool(const std::string&)>& isDirectory);

// Follows the path in the title after such a move.
extern const char* const VanishedDirectoryNote;
