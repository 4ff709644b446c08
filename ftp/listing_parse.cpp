#include "ftp/listing_parse.h"

#include <cstring>

namespace ftp {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!isDigit(c)) return false;
    return true;
}

int toInt(std::string_view s) {
    int v = 0;
    for (char c : s) {
        if (!isDigit(c) || v > 100000) return -1;
        v = v * 10 + (c - '0');
    }
    return s.empty() ? -1 : v;
}

bool parseU64(std::string_view s, uint64_t& out) {
    if (!allDigits(s) || s.size() > 19) return false;
    out = 0;
    for (char c : s) out = out * 10 + static_cast<uint64_t>(c - '0');
    return true;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

struct Token {
    std::size_t begin, end;
};

std::vector<Token> tokens(std::string_view line, std::size_t limit) {
    std::vector<Token> out;
    std::size_t i = 0;
    while (i < line.size() && out.size() < limit) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i == line.size()) break;
        std::size_t b = i;
        while (i < line.size() && line[i] != ' ') ++i;
        out.push_back({b, i});
    }
    return out;
}

// English month abbreviations, and "N月" in UTF-8 or Shift-JIS from servers
// with a Japanese locale.
int monthOf(std::string_view s) {
    static const char* names[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                  "jul", "aug", "sep", "oct", "nov", "dec"};
    if (s.size() == 3) {
        for (int m = 0; m < 12; ++m)
            if (equalsNoCase(s, names[m])) return m + 1;
    }
    for (std::string_view tsuki : {std::string_view("\xE6\x9C\x88"), std::string_view("\x8C\x8E")}) {
        if (s.size() > tsuki.size() && s.substr(s.size() - tsuki.size()) == tsuki) {
            int m = toInt(s.substr(0, s.size() - tsuki.size()));
            if (m >= 1 && m <= 12) return m;
        }
    }
    return 0;
}

// "HH:MM" or "HH:MM:SS".
bool clockOf(std::string_view s, int& hour, int& minute, int& second) {
    std::size_t c = s.find(':');
    if (c == std::string_view::npos || c == 0 || c > 2) return false;
    hour = toInt(s.substr(0, c));
    std::string_view rest = s.substr(c + 1);
    second = 0;
    if (rest.size() == 5 && rest[2] == ':') {
        second = toInt(rest.substr(3));
        rest = rest.substr(0, 2);
    }
    if (rest.size() != 2) return false;
    minute = toInt(rest);
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

bool isUnixMode(std::string_view s) {
    if (s.size() < 10 || s.size() > 11) return false;
    if (!std::strchr("-dlbcpsD", s[0]) || s[0] == '\0') return false;
    for (std::size_t i = 1; i < 10; ++i)
        if (!std::strchr("rwxsStTlL-", s[i]) || s[i] == '\0') return false;
    return true;
}

// The text after the token ending at end and exactly one blank: a name may
// itself begin with blanks.
std::string_view nameAfter(std::string_view line, std::size_t end) {
    if (end + 1 >= line.size()) return {};
    return line.substr(end + 1);
}

}  // namespace

LineKind parseMlsdLine(std::string_view line, ListedEntry& entry) {
    std::size_t space = line.find(' ');
    if (space == std::string_view::npos || space + 1 >= line.size()) return LineKind::Unknown;
    entry = ListedEntry{};
    std::string_view facts = line.substr(0, space);
    bool typed = false;
    while (!facts.empty()) {
        std::size_t semi = facts.find(';');
        if (semi == std::string_view::npos) return LineKind::Unknown;
        std::string_view fact = facts.substr(0, semi);
        facts.remove_prefix(semi + 1);
        std::size_t eq = fact.find('=');
        if (eq == std::string_view::npos) return LineKind::Unknown;
        std::string_view key = fact.substr(0, eq), value = fact.substr(eq + 1);
        if (equalsNoCase(key, "type")) {
            typed = true;
            if (equalsNoCase(value, "cdir") || equalsNoCase(value, "pdir")) return LineKind::Skip;
            if (equalsNoCase(value, "dir")) entry.directory = true;
            else if (value.size() >= 13 && equalsNoCase(value.substr(0, 13), "os.unix=slink"))
                entry.link = true;
            else if (value.size() >= 12 && equalsNoCase(value.substr(0, 12), "os.unix=link"))
                entry.link = true;
        } else if (equalsNoCase(key, "size") || equalsNoCase(key, "sizd")) {
            if (!parseU64(value, entry.size)) entry.size = 0;
        } else if (equalsNoCase(key, "modify")) {
            if (auto t = parseTimeValue(value)) {
                entry.time = *t;
                entry.exactTime = true;
            }
        }
    }
    if (!typed) return LineKind::Unknown;
    entry.name = std::string(line.substr(space + 1));
    return LineKind::Entry;
}

LineKind parseUnixLine(std::string_view line, const CalendarTime& now, ListedEntry& entry) {
    if (line.size() >= 6 && equalsNoCase(line.substr(0, 6), "total ")) return LineKind::Skip;
    std::vector<Token> t = tokens(line, 12);
    auto text = [&](std::size_t k) { return line.substr(t[k].begin, t[k].end - t[k].begin); };
    if (t.size() < 5 || !isUnixMode(text(0))) return LineKind::Unknown;

    // The date is the first place, after the links and owner columns, where a
    // month (or an ISO date) follows a number.
    for (std::size_t m = 2; m + 1 < t.size(); ++m) {
        if (!allDigits(text(m - 1))) continue;
        CalendarTime when;
        std::size_t last;
        int month = monthOf(text(m));
        if (month && m + 2 < t.size()) {
            std::string_view day = text(m + 1);
            for (std::string_view nichi : {std::string_view("\xE6\x97\xA5"), std::string_view("\x93\xFA")})
                if (day.size() > nichi.size() && day.substr(day.size() - nichi.size()) == nichi)
                    day.remove_suffix(nichi.size());
            int d = toInt(day);
            if (d < 1 || d > 31) continue;
            std::string_view third = text(m + 2);
            when.month = month;
            when.day = d;
            if (allDigits(third) && third.size() == 4) {
                when.year = toInt(third);
            } else if (clockOf(third, when.hour, when.minute, when.second)) {
                when.year = now.year;
                if (when.month > now.month + (now.day >= 31 ? 1 : 0) ||
                    (when.month == now.month && when.day > now.day + 1))
                    when.year = now.year - 1;
            } else {
                continue;
            }
            last = m + 2;
        } else {
            std::string_view iso = text(m);
            if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-') continue;
            when.year = toInt(iso.substr(0, 4));
            when.month = toInt(iso.substr(5, 2));
            when.day = toInt(iso.substr(8, 2));
            if (!clockOf(text(m + 1), when.hour, when.minute, when.second)) continue;
            last = m + 1;
        }
        auto ft = fileTimeOf(when);
        if (!ft) continue;
        std::string_view name = nameAfter(line, t[last].end);
        if (name.empty()) return LineKind::Unknown;
        entry = ListedEntry{};
        char type = text(0)[0];
        entry.directory = type == 'd' || type == 'D';
        entry.link = type == 'l';
        if (entry.link) {
            std::size_t arrow = name.find(" -> ");
            if (arrow != std::string_view::npos && arrow > 0) name = name.substr(0, arrow);
        }
        if (!entry.directory && !parseU64(text(m - 1), entry.size)) entry.size = 0;
        entry.time = *ft;
        entry.name = std::string(name);
        return LineKind::Entry;
    }
    return LineKind::Unknown;
}

LineKind parseDosLine(std::string_view line, ListedEntry& entry) {
    std::vector<Token> t = tokens(line, 4);
    if (t.size() < 4) return LineKind::Unknown;
    auto text = [&](std::size_t k) { return line.substr(t[k].begin, t[k].end - t[k].begin); };

    std::string_view date = text(0);
    if (date.size() != 8 && date.size() != 10) return LineKind::Unknown;
    char sep = date[2];
    if ((sep != '-' && sep != '/') || date[5] != sep) return LineKind::Unknown;
    CalendarTime when;
    when.month = toInt(date.substr(0, 2));
    when.day = toInt(date.substr(3, 2));
    when.year = toInt(date.substr(6));
    if (when.month < 0 || when.day < 0 || when.year < 0) return LineKind::Unknown;
    if (date.size() == 8) when.year += when.year < 70 ? 2000 : 1900;

    std::size_t k = 1;
    std::string_view clock = text(k);
    std::string_view ampm;
    if (clock.size() > 2) {
        std::string_view tail = clock.substr(clock.size() - 2);
        if (equalsNoCase(tail, "AM") || equalsNoCase(tail, "PM")) {
            ampm = tail;
            clock.remove_suffix(2);
        }
    }
    if (!clockOf(clock, when.hour, when.minute, when.second)) return LineKind::Unknown;
    if (ampm.empty()) {
        // "03:04 PM": the marker as a column of its own.
        std::string_view next = text(2);
        if (equalsNoCase(next, "AM") || equalsNoCase(next, "PM")) {
            ampm = next;
            t = tokens(line, 5);
            k = 2;
        }
    }
    if (!ampm.empty()) {
        if (when.hour < 1 || when.hour > 12) return LineKind::Unknown;
        if (when.hour == 12) when.hour = 0;
        if (equalsNoCase(ampm, "PM")) when.hour += 12;
    }
    auto ft = fileTimeOf(when);
    if (!ft) return LineKind::Unknown;

    std::size_t sizeToken = k + 1;
    if (sizeToken >= t.size()) return LineKind::Unknown;
    std::string_view size = line.substr(t[sizeToken].begin, t[sizeToken].end - t[sizeToken].begin);
    entry = ListedEntry{};
    entry.time = *ft;
    std::string_view name;
    if (equalsNoCase(size, "<DIR>")) {
        entry.directory = true;
        // The column after "<DIR>" is padded to where file names begin; the
        // usual layout puts both at column 39.
        std::size_t at = t[sizeToken].end;
        if (t[sizeToken].begin == 24 && date.size() == 8 && line.size() > 39 &&
            line.find_first_not_of(' ', at) >= 39)
            at = 39;
        else
            at = line.find_first_not_of(' ', at);
        if (at == std::string_view::npos || at >= line.size()) return LineKind::Unknown;
        name = line.substr(at);
    } else {
        std::string digits;
        for (char c : size) {
            if (c == ',' || c == '.') continue;
            digits += c;
        }
        if (!parseU64(digits, entry.size)) return LineKind::Unknown;
        name = nameAfter(line, t[sizeToken].end);
    }
    if (name.empty()) return LineKind::Unknown;
    entry.name = std::string(name);
    return LineKind::Entry;
}

Listing parseListing(std::string_view data, bool mlsd, const CalendarTime& now) {
    Listing out;
    std::vector<std::string_view> unknown;
    bool lastWasEntry = false;
    std::size_t pos = 0;
    while (pos < data.size()) {
        std::size_t end = data.find('\n', pos);
        if (end == std::string_view::npos) end = data.size();
        std::string_view line = data.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        ListedEntry entry;
        LineKind kind = mlsd ? parseMlsdLine(line, entry) : parseUnixLine(line, now, entry);
        if (!mlsd && kind == LineKind::Unknown) kind = parseDosLine(line, entry);
        if (kind == LineKind::Unknown && mlsd && lastWasEntry) {
            // Every MLSD line carries facts: one without them is the rest of
            // a name that held a line break, and that name is not the real one.
            out.entries.pop_back();
        }
        lastWasEntry = kind == LineKind::Entry;
        if (kind == LineKind::Entry) out.entries.push_back(std::move(entry));
        else if (kind == LineKind::Unknown) unknown.push_back(line);
    }
    if (out.entries.empty() && !unknown.empty() && !mlsd) {
        // Nothing understood: bare names, or whole lines of an unknown form.
        bool blanks = true;
        for (std::string_view line : unknown)
            if (line.find(' ') == std::string_view::npos) blanks = false;
        out.wholeLines = blanks;
        for (std::string_view line : unknown) {
            ListedEntry entry;
            entry.name = std::string(blanks ? line.substr(line.rfind(' ') + 1) : line);
            if (!entry.name.empty()) out.entries.push_back(std::move(entry));
        }
        return out;
    }
    out.unknownLines = static_cast<int>(unknown.size());
    return out;
}

}  // namespace ftp
