#pragma once
// How a typed or commanded path becomes the new current path.
#include <string>
#include <string_view>

// ".." steps up one component each (a drive root stays), paths beginning
// with "\", "/", "|" or a drive are taken as they are, anything else is joined
// to the current path; a bare "X:" gets its "\" and a longer path loses a
// trailing one.
std::string resolvePath(std::string_view currentPath, std::string_view typed);
