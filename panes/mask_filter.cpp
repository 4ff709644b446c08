#include "panes/mask_filter.h"

#include <string>
#include <vector>

#include "base/wildcard.h"

namespace {

std::vector<std::string_view> splitPatterns(std::string_view mask) {
    std::vector<std::string_view> patterns;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = mask.find(',', start);
        patterns.push_back(mask.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return patterns;
}

bool matchesAny(const std::vector<std::string_view>& patterns, std::string_view name) {
    for (std::string_view p : patterns) {
        if (wildcardMatch(p, name)) return true;
    }
    return false;
}

}  // namespace

bool maskShowsEverything(std::string_view mask) {
    std::string rest;
    for (char c : mask) {
        if (c != '*') rest += c;
    }
    return rest.empty() || rest == ".";
}

void applyMask(const FileList& raw, std::string_view mask, FileList& shown) {
    shown.clear();
    if (maskShowsEverything(mask)) {
        for (const FileEntry& e : raw.entries()) shown.append(e);
        return;
    }
    const bool inverted = mask.front() == '!';
    if (inverted) mask.remove_prefix(1);
    const std::vector<std::string_view> patterns = splitPatterns(mask);
    for (const FileEntry& e : raw.entries()) {
        if (e.isDirectory() || matchesAny(patterns, e.name()) != inverted) shown.append(e);
    }
}
