#include "filesearch/search_request.h"

#include "base/sjis.h"

NamePatterns::NamePatterns(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); i += i < text.size() ? sjis::charLength(text, i) : 1) {
        if (i < text.size() && text[i] != ',' && text[i] != ';') continue;
        std::string_view part = text.substr(start, i - start);
        while (!part.empty() && (part.front() == ' ' || part.front() == '\t')) part.remove_prefix(1);
        while (!part.empty() && (part.back() == ' ' || part.back() == '\t')) part.remove_suffix(1);
        if (!part.empty()) patterns_.emplace_back(part);
        start = i + 1;
    }
    if (patterns_.empty()) patterns_.emplace_back("*");
}

bool NamePatterns::matches(std::string_view name) const {
    for (const NamePattern& p : patterns_)
        if (p.matches(name)) return true;
    return false;
}
