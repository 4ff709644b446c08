#include "panes/pattern_select.h"

#include <unordered_map>

#include "base/sjis.h"
#include "panes/marking.h"
#include "base/name_pattern.h"
#include "panes/name_search.h"

namespace {

// Below this many plain names a scan per name costs less than the index.
constexpr std::size_t IndexThreshold = 8;

class Marker {
public:
    Marker(FileList& list, ListingSource source) : list_(list), source_(source) {}

    void hit(std::size_t i) {
        if (result_.lowest < 0 || static_cast<int>(i) < result_.lowest) result_.lowest = static_cast<int>(i);
        if (list_[i].marked == 0 && canMark(list_, source_, i)) {
            list_.setMark(i, true);
            ++result_.newlyMarked;
        }
    }
    SelectResult result() const { return result_; }

private:
    FileList& list_;
    ListingSource source_;
    SelectResult result_;
};

}  // namespace

SelectResult markMatches(FileList& list, ListingSource source,
                         const std::vector<std::string>& patterns) {
    Marker marker(list, source);
    std::vector<std::string_view> plain;
    for (const std::string& p : patterns) {
        const std::string effective = effectivePattern(list, p);
        const NamePattern compiled(effective);
        if (compiled.isPlainName()) {
            plain.push_back(p);
            continue;
        }
        for (std::size_t i = 0; i < list.count(); ++i) {
            if (compiled.matches(list[i].name())) marker.hit(i);
        }
    }
    if (plain.size() < IndexThreshold) {
        for (std::string_view p : plain) {
            const NamePattern compiled(p);
            for (std::size_t i = 0; i < list.count(); ++i) {
                if (compiled.matches(list[i].name())) marker.hit(i);
            }
        }
    } else {
        // A plain pattern matches exactly the names equal to it once single-byte
        // letters are folded, so the folded name is a complete key.
        std::unordered_multimap<std::string, std::size_t> byName;
        byName.reserve(list.count());
        for (std::size_t i = 0; i < list.count(); ++i) byName.emplace(sjis::toLowerAscii(list[i].name()), i);
        for (std::string_view p : plain) {
            auto [from, to] = byName.equal_range(sjis::toLowerAscii(p));
            for (auto it = from; it != to; ++it) marker.hit(it->second);
        }
    }
    return marker.result();
}

std::vector<std::string> clipboardPatterns(std::string_view text) {
    // Line breaks, "," and the doubled "," they leave all separate pieces;
    // none of them can be a trail byte.
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : text) {
        if (c == '\r' || c == '\n' || c == ',') {
            if (!piece.empty()) pieces.push_back(std::move(piece));
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty()) pieces.push_back(std::move(piece));
    return pieces;
}
