#include "panes/match_highlight.h"

#include "base/sjis.h"

namespace {

char foldLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether part stands at byte at of name, compared character by character
// as the wildcard match does.
bool partAt(std::string_view name, std::size_t at, std::string_view part) {
    std::size_t i = 0;
    while (i < part.size()) {
        if (at >= name.size()) return false;
        const std::size_t lp = sjis::charLength(part, i);
        const std::size_t ln = sjis::charLength(name, at);
        if (lp != ln) return false;
        if (lp == 1) {
            if (foldLower(part[i]) != foldLower(name[at])) return false;
        } else if (part.substr(i, 2) != name.substr(at, 2)) {
            return false;
        }
        i += lp;
        at += ln;
    }
    return true;
}

// Only character starts are candidates, so a part never begins on a trail byte.
std::size_t findPart(std::string_view name, std::size_t from, std::string_view part) {
    for (std::size_t at = from; at < name.size(); at += sjis::charLength(name, at)) {
        if (partAt(name, at, part)) return at;
    }
    return std::string_view::npos;
}

}  // namespace

MatchHighlight::MatchHighlight(std::string_view pattern) {
    std::string part;
    auto flush = [&] {
        if (!part.empty()) parts_.push_back(std::move(part));
        part.clear();
    };
    for (std::size_t i = 0; i < pattern.size();) {
        std::size_t len = sjis::charLength(pattern, i);
        const char c = pattern[i];
        if (len == 1 && (c == '*' || c == '?')) {
            flush();
        } else if (len == 1 && c == '\\' && i + 1 < pattern.size()) {
            ++i;  // the escaped character is part of the text
            len = sjis::charLength(pattern, i);
            part.append(pattern.substr(i, len));
        } else {
            part.append(pattern.substr(i, len));
        }
        i += len;
    }
    flush();
}

bool MatchHighlight::matchBytes(std::string_view name, std::vector<ByteRange>& out) const {
    out.clear();
    std::size_t from = 0;
    for (const std::string& part : parts_) {
        const std::size_t at = findPart(name, from, part);
        if (at == std::string_view::npos) {
            out.clear();
            return false;
        }
        out.push_back({at, part.size()});
        from = at + part.size();
    }
    return true;
}

void MatchHighlight::lineCells(std::string_view name, ColumnWidths widths,
                               std::vector<CellRun>& out) const {
    out.clear();
    if (!matchBytes(name, scratch_)) return;
    const NameLayout layout = layoutName(name, widths);
    for (const ByteRange& r : scratch_) {
        for (std::size_t b = r.first; b < r.first + r.length; ++b) {
            const int cell = layout.cellOf(b);
            if (cell < 0) continue;
            if (!out.empty() && out.back().first + out.back().count == cell) {
                ++out.back().count;
            } else {
                out.push_back({cell, 1});
            }
        }
    }
}
