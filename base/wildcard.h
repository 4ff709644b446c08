#pragma once
// "*" any run, "?" one character (a double-byte character is one), "\" makes
// the next character literal; single-byte letters match without regard to case.
#include <string_view>

bool wildcardMatch(std::string_view pattern, std::string_view name);
