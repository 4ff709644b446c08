#pragma once
// The rules behind the controls of the colour and command table dialog, so
// the dialog window only moves texts, check marks and colours.
#include <cstdint>
#include <string>

#include "panes/ext_table.h"

// The attribute radio buttons, top to bottom.
enum class AttributeChoice { ReadOnly, System, Hidden, Directory, Archive };
constexpr int AttributeChoiceCount = 5;

uint32_t maskOf(AttributeChoice choice);
// A mask that is not exactly one of the five bits shows as Archive.
AttributeChoice choiceForMask(uint32_t mask);
// "R", "S", "H", "D" or "A" for the five single-bit masks, else "".
std::string attributeLetter(uint32_t mask);

// What the radio buttons, the two fields and the two colour buttons hold.
struct RuleControls {
    AttributeChoice attribute = AttributeChoice::Archive;
    std::string ext;  // only ever non-empty with Archive
    std::string command;
    Colour textColor = 0xFFFFFF;
    Colour backColor = 0;
};

RuleControls controlsForRule(const ExtRule& rule);
ExtRule ruleFromControls(const RuleControls& controls);

// Edits of the dialog's copy. A row of -1 means no selection; each answers
// the row to select afterwards (-1 for none).
int setRule(ExtTable& table, int selected, ExtRule rule);
int deleteRule(ExtTable& table, int selected);
// delta -1 moves the row towards the top, +1 towards the bottom; at either
// end the row stays where it is.
int moveRule(ExtTable& table, int selected, int delta);
