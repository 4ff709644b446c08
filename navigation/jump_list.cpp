#include "navigation/jump_list.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "base/name_pattern.h"
#include "base/sjis.h"
#include "base/table_text.h"
#include "base/text_file.h"

namespace {

std::string unquote(std::string_view field) {
    if (!field.empty() && field.front() == '"') field.remove_prefix(1);
    if (!field.empty() && field.back() == '"') field.remove_suffix(1);
    return std::string(field);
}

// Decimal with leading blanks and sign; anything else reads as 0.
int number(std::string_view field) {
    std::string text(field);
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

// A row '"name","path"' whose separator is the only '","' in it splits
// there, so a name or command line with an odd number of quotes survives;
// anything else goes by the fields, a "," inside quotes belonging to its field.
JumpListEntry row(std::string_view line) {
    const std::size_t at = line.find("\",\"");
    if (line.size() >= 4 && line.front() == '"' && line.back() == '"' &&
        at != std::string_view::npos && line.find("\",\"", at + 1) == std::string_view::npos) {
        return {std::string(line.substr(1, at - 1)),
                std::string(line.substr(at + 3, line.size() - at - 4))};
    }
    std::vector<std::string_view> f = tableFields(line);
    f.resize(2);
    return {unquote(f[0]), unquote(f[1])};
}

std::string_view cut(std::string_view s) {
    return s.substr(0, sjis::fittingLength(s, JumpList::FieldLimit));
}

}  // namespace

void JumpList::parse(std::string_view text) {
    entries_.clear();
    rect.reset();
    std::vector<std::string_view> all = tableLines(text);
    if (all.size() > 0) {
        std::vector<std::string_view> f = tableFields(all[0]);
        f.resize(4);
        rect = WindowRect{number(f[0]), number(f[1]), number(f[2]), number(f[3])};
    }
    if (all.size() > 1) {
        std::vector<std::string_view> f = tableFields(all[1]);
        f.resize(2);
        columnWidths[0] = number(f[0]);
        columnWidths[1] = number(f[1]);
    }
    for (std::size_t i = 2; i < all.size(); ++i) {
        if (all[i].empty()) continue;
        entries_.push_back(row(all[i]));
    }
}

std::string JumpList::format() const {
    const WindowRect r = rect.value_or(WindowRect{});
    char head[96];
    std::snprintf(head, sizeof head, "%d,%d,%d,%d\n%d,%d,\n", r.left, r.top, r.right, r.bottom,
                  columnWidths[0], columnWidths[1]);
    std::string text = head;
    for (const JumpListEntry& e : entries_) {
        text += '"';
        text += cut(e.name);
        text += "\",\"";
        text += cut(e.path);
        text += "\"\n";
    }
    return text;
}

bool JumpList::load(const std::string& file) {
    std::optional<std::string> text = readTextFile(file);
    if (!text) {
        entries_.clear();
        rect.reset();
        return false;
    }
    parse(*text);
    return true;
}

bool JumpList::save(const std::string& file) const { return writeTextFile(file, format()); }

void JumpList::add(JumpListEntry entry) { entries_.insert(entries_.begin(), std::move(entry)); }

bool JumpList::remove(std::size_t index) {
    if (index >= entries_.size()) return false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool JumpList::setName(std::size_t index, std::string name) {
    if (index >= entries_.size()) return false;
    entries_[index].name = std::move(name);
    return true;
}

bool JumpList::setPath(std::size_t index, std::string path) {
    if (index >= entries_.size()) return false;
    entries_[index].path = std::move(path);
    return true;
}

std::optional<std::size_t> JumpList::move(std::size_t index, bool up) {
    if (index >= entries_.size()) return std::nullopt;
    if (up ? index == 0 : index + 1 >= entries_.size()) return std::nullopt;
    const std::size_t other = up ? index - 1 : index + 1;
    std::swap(entries_[index], entries_[other]);
    return other;
}

std::optional<std::size_t> JumpList::search(std::string_view text, std::size_t from) const {
    const std::size_t n = entries_.size();
    if (n == 0) return std::nullopt;
    const std::string t(text);
    for (const std::string& pattern : {t, t + "*", "*" + t + "*"}) {
        const NamePattern compiled(pattern);
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t i = (from + k) % n;
            if (compiled.matches(entries_[i].name)) return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> JumpListSearch::type(const JumpList& list, std::string_view text) {
    std::optional<std::size_t> found = list.search(text, current_);
    if (found) current_ = *found;
    return found;
}

std::optional<std::size_t> JumpListSearch::next(const JumpList& list, std::string_view text) {
    if (list.size() == 0) return std::nullopt;
    current_ = (current_ + 1) % list.size();
    return type(list, text);
}
