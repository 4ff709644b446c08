#include "base/wildcard.h"

#include "base/name_pattern.h"

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    return NamePattern(pattern).matches(name);
}
