#include "panes/command_dialog_rules.h"

#include <utility>
#include <vector>

#include "base/sjis.h"

namespace {

struct AttributeBit {
    AttributeChoice choice;
    uint32_t mask;
    const char* letter;
};

constexpr AttributeBit Bits[AttributeChoiceCount] = {
    {AttributeChoice::ReadOnly, 0x01, "R"},  {AttributeChoice::System, 0x04, "S"},
    {AttributeChoice::Hidden, 0x02, "H"},    {AttributeChoice::Directory, 0x10, "D"},
    {AttributeChoice::Archive, 0x20, "A"},
};

bool validRow(const ExtTable& table, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < table.rules().size();
}

}  // namespace

uint32_t maskOf(AttributeChoice choice) {
    for (const AttributeBit& bit : Bits) {
        if (bit.choice == choice) return bit.mask;
    }
    return 0x20;
}

AttributeChoice choiceForMask(uint32_t mask) {
    for (const AttributeBit& bit : Bits) {
        if (bit.mask == mask) return bit.choice;
    }
    return AttributeChoice::Archive;
}

std::string attributeLetter(uint32_t mask) {
    for (const AttributeBit& bit : Bits) {
        if (bit.mask == mask) return bit.letter;
    }
    return "";
}

RuleControls controlsForRule(const ExtRule& rule) {
    RuleControls controls;
    controls.attribute = choiceForMask(rule.attributeMask);
    if (controls.attribute == AttributeChoice::Archive) controls.ext = rule.ext;
    controls.command = rule.command;
    controls.textColor = rule.textColor;
    controls.backColor = rule.backColor;
    return controls;
}

ExtRule ruleFromControls(const RuleControls& controls) {
    ExtRule rule;
    rule.attributeMask = maskOf(controls.attribute);
    if (controls.attribute == AttributeChoice::Archive) {
        // Names are split at their last ".", so a typed ".txt" means "txt".
        std::size_t start = controls.ext.find_first_not_of('.');
        if (start != std::string::npos) rule.ext = sjis::toUpperAscii(controls.ext.substr(start));
    }
    rule.textColor = controls.textColor;
    rule.backColor = controls.backColor;
    rule.command = controls.command.empty() ? "CMD_NONE" : controls.command;
    return rule;
}

int setRule(ExtTable& table, int selected, ExtRule rule) {
    if (!validRow(table, selected)) {
        table.append(std::move(rule));
        return static_cast<int>(table.rules().size()) - 1;
    }
    std::vector<ExtRule> rules = table.rules();
    rules[selected] = std::move(rule);
    table.setRules(std::move(rules));
    return selected;
}

int deleteRule(ExtTable& table, int selected) {
    if (!validRow(table, selected)) return -1;
    std::vector<ExtRule> rules = table.rules();
    rules.erase(rules.begin() + selected);
    table.setRules(std::move(rules));
    return -1;
}

int moveRule(ExtTable& table, int selected, int delta) {
    if (!validRow(table, selected)) return -1;
    int target = selected + (delta < 0 ? -1 : delta > 0 ? 1 : 0);
    if (target == selected || !validRow(table, target)) return selected;
    std::vector<ExtRule> rules = table.rules();
    std::swap(rules[selected], rules[target]);
    table.setRules(std::move(rules));
    return target;
}
