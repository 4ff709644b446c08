#pragma once
// What the user asks the file search for: name patterns, a start folder and
// whether to go into subfolders.
#include <string>
#include <string_view>
#include <vector>

#include "base/name_pattern.h"

class NamePatterns {
public:
    // "," or ";" separate patterns; blanks around each are dropped; no
    // pattern at all means every name.
    explicit NamePatterns(std::string_view text);
    bool matches(std::string_view name) const;
    std::size_t size() const { return patterns_.size(); }

private:
    std::vector<NamePattern> patterns_;
};

struct SearchRequest {
    std::string patterns;
    std::string folder;
    bool subfolders = true;
};
