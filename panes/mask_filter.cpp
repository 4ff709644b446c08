#include "panes/mask_filter.h"

#include <string>
#include <vector>

#include "base/name_pattern.h"

namespace {

std::vector<NamePattern> splitPatterns(std::string_view mask) {
    std::vector<NamePattern> patterns;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = mask.find(',', start);
        patterns.emplace_back(mask.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return patterns;
}

bool matchesAny(const std::vector<NamePattern>& patterns, std::string_view name) {
    for (const NamePattern& p : patterns) {
        if (p.matches(name)) return true;
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

MaskFilter::MaskFilter(std::string_view mask) {
    everything_ = maskShowsEverything(mask);
    if (everything_) return;
    inverted_ = mask.front() == '!';
    if (inverted_) mask.remove_prefix(1);
    patterns_ = splitPatterns(mask);
}

bool MaskFilter::passes(const FileEntry& entry) const {
    return everything_ || entry.isDirectory() || matchesAny(patterns_, entry.name()) != inverted_;
}

void applyMask(const FileList& raw, std::string_view mask, FileList& shown) {
    const MaskFilter filter(mask);
    shown.clear();
    shown.reserve(raw.count());
    for (const FileEntry& e : raw.entries())
        if (filter.passes(e)) shown.append(e);
}
