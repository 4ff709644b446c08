#include "panes/name_search.h"

#include "base/name_pattern.h"

namespace {

bool isNetworkListing(const FileList& list) {
    if (list.count() == 0) return false;
    const std::string_view first = list[0].name();
    return first.size() >= 2 && first[0] == '\\' && first[1] == '\\';
}

}  // namespace

std::string effectivePattern(const FileList& list, std::string_view pattern) {
    // Four pattern characters: two escaped backslashes.
    if (isNetworkListing(list)) return "\\\\\\\\" + std::string(pattern);
    return std::string(pattern);
}

int searchListing(const FileList& list, std::string_view pattern, int start, bool backwards) {
    const int count = static_cast<int>(list.count());
    if (count == 0) return -1;
    const NamePattern compiled(effectivePattern(list, pattern));
    int i = ((start % count) + count) % count;
    for (int visited = 0; visited < count; ++visited) {
        if (compiled.matches(list[static_cast<std::size_t>(i)].name())) return i;
        if (backwards) {
            i = i == 0 ? count - 1 : i - 1;
        } else {
            i = i + 1 == count ? 0 : i + 1;
        }
    }
    return -1;
}

std::vector<int> collectMatches(const FileList& list, std::string_view pattern) {
    std::vector<int> found;
    const NamePattern compiled(effectivePattern(list, pattern));
    for (std::size_t i = 0; i < list.count(); ++i) {
        if (compiled.matches(list[i].name())) found.push_back(static_cast<int>(i));
    }
    return found;
}

std::string findTextPattern(std::string_view typed) {
    std::string out(typed);
    for (char& c : out) {
        if (c == ' ') c = '*';  // a blank is never a trail byte
    }
    return out;
}

FindHit incrementalFind(const FileList& list, std::string_view text, int cursor) {
    if (text.empty()) return {};
    std::string prefix = std::string(text) + "*";
    int index = searchListing(list, prefix, cursor, false);
    if (index >= 0) return {index, std::move(prefix)};
    if (text[0] == '*' || text[0] == '?') return {};
    std::string contains = "*" + std::string(text) + "*";
    index = searchListing(list, contains, cursor, false);
    if (index >= 0) return {index, std::move(contains)};
    return {};
}

int refindTarget(const FileList& list, std::string_view pattern, int cursor, bool backwards) {
    const int count = static_cast<int>(list.count());
    if (count == 0) return -1;
    // Both directions step off the cursor and wrap, so a match on the first
    // entry does not hold a backward refind there.
    int start;
    if (backwards) {
        start = cursor <= 0 ? count - 1 : cursor - 1;
    } else {
        start = cursor >= count - 1 ? 0 : cursor + 1;
    }
    return searchListing(list, pattern, start, backwards);
}

int cursorForName(const FileList& list, std::string_view name, int cursor) {
    const int exact = list.findByName(name);
    if (exact > 0) return exact;
    const int matched = searchListing(list, name, cursor, false);
    return matched >= 0 ? matched : exact;
}
