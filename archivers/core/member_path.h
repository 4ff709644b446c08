#pragma once
// The rule every extraction goes through: a member name becomes a relative
// path below the target, or is refused.
#include <optional>
#include <string>
#include <string_view>

namespace arc {

// "/"-separated relative Shift-JIS path, or nothing when the name climbs out
// of the target: "..", an absolute path, a drive letter, a UNC name. Bytes
// that are not Shift-JIS and characters a file name cannot hold become "_".
std::optional<std::string> safeMemberPath(std::string_view name);

// Replaces every byte sequence that is not a Shift-JIS character by "_".
std::string repairSjis(std::string_view s);

// "\" outside double-byte characters becomes "/"; a 0x5C trail byte stays.
std::string forwardSlashes(std::string_view s);

// Whether member name `name` is selected by the command's name list: an
// empty list selects all, "*" or "*.*" selects all, a name selects itself and
// whatever lies below it. Separators and ASCII case do not count.
bool memberSelected(std::string_view name, const std::string& pattern);

}  // namespace arc
