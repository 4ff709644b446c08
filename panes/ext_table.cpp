#include "panes/ext_table.h"

#include <cstdio>

#include "base/sjis.h"
#include "base/table_text.h"
#include "base/text_file.h"

namespace {

// Read-only, hidden, system, directory, temporary: such entries are coloured
// by attribute even when they have an extension.
constexpr uint32_t AttributeOnlyBits = 0x117;
constexpr ColourPair WhiteOnBlack{0xFFFFFF, 0};

std::string withoutQuotes(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != '"') out += c;
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Unsigned base 16 with optional blanks and "0x"; no digits gives 0 and an
// overlong number saturates.
uint32_t parseHex(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X") i += 2;
    uint64_t value = 0;
    for (; i < text.size() && hexDigit(text[i]) >= 0; ++i) {
        value = value * 16 + static_cast<unsigned>(hexDigit(text[i]));
        if (value > 0xFFFFFFFFu) value = 0xFFFFFFFFu;
    }
    return static_cast<uint32_t>(value);
}

std::string hex(uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%lx", static_cast<unsigned long>(value));
    return buffer;
}

ExtRule parseRule(std::string_view line) {
    std::vector<std::string_view> fields = tableFields(line);
    fields.resize(5);  // missing fields read as empty
    ExtRule rule;
    rule.textColor = parseHex(fields[0]);
    rule.backColor = parseHex(fields[1]);
    rule.ext = sjis::toUpperAscii(withoutQuotes(fields[2]));
    rule.attributeMask = parseHex(fields[3]);
    rule.command = withoutQuotes(fields[4]);
    return rule;
}

std::string formatRecord(Colour text, Colour back, const std::string& ext, uint32_t mask,
                         const std::string& command) {
    return hex(text) + "," + hex(back) + ",\"" + ext + "\"," + hex(mask) + ",\"" + command +
           "\"\n";
}

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool sameCharacter(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a.size() == 1) return upperAscii(a[0]) == upperAscii(b[0]);
    return a == b;
}

// Character by character: "?" in the pattern takes one whole character.
bool extMatches(std::string_view pattern, std::string_view ext) {
    std::size_t p = 0;
    std::size_t e = 0;
    while (p < pattern.size() && e < ext.size()) {
        std::size_t patternLength = sjis::charLength(pattern, p);
        std::size_t extLength = sjis::charLength(ext, e);
        bool any = patternLength == 1 && pattern[p] == '?';
        if (!any && !sameCharacter(pattern.substr(p, patternLength), ext.substr(e, extLength)))
            return false;
        p += patternLength;
        e += extLength;
    }
    return p == pattern.size() && e == ext.size();
}

}  // namespace

void ExtTable::parse(std::string_view text) {
    clear();
    int records = 0;
    for (std::string_view line : tableLines(text)) {
        // A blank line is no record: read as one it would wipe a pair.
        if (line.empty()) continue;
        ExtRule rule = parseRule(line);
        ColourPair pair{rule.textColor, rule.backColor};
        if (records == 0) {
            defaultPair_ = pair.text == pair.back ? WhiteOnBlack : pair;
        } else if (records == 1) {
            todayPair_ = pair.text == pair.back ? defaultPair_ : pair;
        } else {
            append(std::move(rule));
        }
        ++records;
    }
    // No today line means no own colour for today's files.
    if (records < 2) todayPair_ = defaultPair_;
}

std::string ExtTable::format() const {
    std::string text = formatRecord(defaultPair_.text, defaultPair_.back, "", 0, "");
    text += formatRecord(todayPair_.text, todayPair_.back, "", 0, "");
    for (const ExtRule& rule : rules_) {
        text += formatRecord(rule.textColor, rule.backColor, rule.ext, rule.attributeMask,
                             rule.command);
    }
    return text;
}

bool ExtTable::load(const std::string& file) {
    std::optional<std::string> text = readTextFile(file);
    if (!text) {
        clear();
        return false;
    }
    parse(*text);
    return true;
}

bool ExtTable::save(const std::string& file) const {
    const std::string records = format();
    const std::optional<std::string> old = readTextFile(file);
    if (!old) return writeTextFile(file, records);
    // Unchanged, the file keeps its own text: a rewrite would only lose its comments.
    ExtTable stored;
    stored.parse(*old);
    if (stored.format() == records) return true;
    return writeTextFile(file, withCommentsKept(*old, records));
}

bool ExtLess::operator()(std::string_view a, std::string_view b) const {
    auto fold = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; };
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        std::size_t la = sjis::charLength(a, i), lb = sjis::charLength(b, j);
        unsigned ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[j]);
        if (la == 1) ca = fold(ca);
        if (lb == 1) cb = fold(cb);
        if (ca != cb) return ca < cb;
        if (la == 2 && lb == 2 && a[i + 1] != b[j + 1])
            return static_cast<unsigned char>(a[i + 1]) < static_cast<unsigned char>(b[j + 1]);
        if (la != lb) return la < lb;
        i += la;
        j += lb;
    }
    return a.size() - i < b.size() - j;
}

ColourPair ExtTable::colours(std::string_view ext, uint32_t attributes) const {
    const ExtRule* found = nullptr;
    if (!ext.empty() && (attributes & AttributeOnlyBits) == 0) {
        auto it = extIndex_.find(ext);
        if (it != extIndex_.end()) found = &rules_[it->second];
    } else {
        for (const ExtRule& rule : rules_) {
            if ((rule.attributeMask & attributes) != 0) {
                found = &rule;
                break;
            }
        }
    }
    return found ? ColourPair{found->textColor, found->backColor} : defaultPair_;
}

bool ExtTable::isVisible(std::string_view ext, uint32_t attributes) const {
    ColourPair pair = colours(ext, attributes);
    return pair.text != pair.back;
}

ExtRule ExtTable::commandFor(std::string_view ext) const {
    for (const ExtRule& rule : rules_) {
        if (extMatches(rule.ext, ext)) return rule;
    }
    return {};
}

void ExtTable::setRules(std::vector<ExtRule> rules) {
    rules_ = std::move(rules);
    for (ExtRule& rule : rules_) rule.ext = sjis::toUpperAscii(rule.ext);
    reindex();
}

void ExtTable::append(ExtRule rule) {
    rule.ext = sjis::toUpperAscii(rule.ext);
    rules_.push_back(std::move(rule));
    if (!rules_.back().ext.empty()) extIndex_[rules_.back().ext] = rules_.size() - 1;
}

void ExtTable::clear() {
    rules_.clear();
    extIndex_.clear();
    defaultPair_ = WhiteOnBlack;
    todayPair_ = WhiteOnBlack;
}

void ExtTable::reindex() {
    extIndex_.clear();
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        if (!rules_[i].ext.empty()) extIndex_[rules_[i].ext] = i;
    }
}
