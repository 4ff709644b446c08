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

// Orders extensions without regard to the case of single-byte letters, so a
// lookup needs no upper-cased copy of the name's extension.
struct ExtLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
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
    std::map<std::string, std::size_t, ExtLess> extIndex_;
    ColourPair defaultPair_{0xFFFFFF, 0};
    ColourPair todayPair_{0xFFFFFF, 0};
};
