#pragma once
// Extension or attribute to line colours and the command of Enter, kept in
// "Color.tbl".
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using Colour = uint32_t;  // 0x00BBGGRR

struct ExtRule {
    std::string ext;  // upper case, without "."; empty for an attribute rule
    uint32_t attributeMask = 0;
    Colour textColor = 0;
    Colour backColor = 0;
    std::string command;
};

struct ColourPair {
    Colour text;
    Colour back;
    bool operator==(const ColourPair&) const = default;
};

class ExtTable {
public:
    ExtTable() = default;

    // Parses the table text; lines of any length are read whole.
    void parse(std::string_view text);
    std::string format() const;
    // File access: false when the file cannot be opened (the table is then empty).
    bool load(const std::string& file);
    // Writes only when the records differ from the file's, keeping its comment lines.
    bool save(const std::string& file) const;

    ColourPair colours(std::string_view ext, uint32_t attributes) const;
    bool isVisible(std::string_view ext, uint32_t attributes) const;
    // The first rule whose ext matches ("?" any one character), or an empty rule.
    ExtRule commandFor(std::string_view ext) const;

    ColourPair defaultPair() const { return defaultPair_; }
    ColourPair todayPair() const { return todayPair_; }
    void setDefaultPair(ColourPair p) { defaultPair_ = p; }
    void setTodayPair(ColourPair p) { todayPair_ = p; }

    const std::vector<ExtRule>& rules() const { return rules_; }
    void setRules(std::vector<ExtRule> rules);
    void append(ExtRule rule);
    void clear();

private:
    void reindex();
    std::vector<ExtRule> rules_;
    // Keyed by the upper-cased extension (rules keep theirs upper-cased), so a
    // lookup folds the name's extension once and then compares plain bytes.
    std::map<std::string, std::size_t, std::less<>> extIndex_;
    ColourPair defaultPair_{0xFFFFFF, 0};
    ColourPair todayPair_{0xFFFFFF, 0};
};
