#include "panes/command_dialog_rules.h"

#include <gtest/gtest.h>

namespace {

ExtTable sample() {
    ExtTable table;
    table.append({"TXT", 0x20, 0x0000FF, 0x000001, "CMD_EDIT"});
    table.append({"", 0x10, 0x00FF00, 0x000002, "CMD_NONE"});
    table.append({"LZH", 0x20, 0xFF0000, 0x000003, "CMD_UNPACK"});
    return table;
}

std::string order(const ExtTable& table) {
    std::string out;
    for (const ExtRule& rule : table.rules()) out += (rule.ext.empty() ? "-" : rule.ext) + " ";
    return out;
}

}  // namespace

TEST(CommandDialogAttributes, RadioButtonsLettersAndMasksAgree) {
    const uint32_t masks[] = {0x01, 0x04, 0x02, 0x10, 0x20};
    const char* letters[] = {"R", "S", "H", "D", "A"};
    for (int i = 0; i < AttributeChoiceCount; ++i) {
        auto choice = static_cast<AttributeChoice>(i);
        EXPECT_EQ(maskOf(choice), masks[i]) << i;
        EXPECT_EQ(choiceForMask(masks[i]), choice) << i;
        EXPECT_EQ(attributeLetter(masks[i]), letters[i]) << i;
    }
    // Masks that are not one of the five bits: Archive button, no letter.
    for (uint32_t mask : {0x00u, 0x21u, 0x80u, 0x117u}) {
        EXPECT_EQ(choiceForMask(mask), AttributeChoice::Archive) << mask;
        EXPECT_EQ(attributeLetter(mask), "") << mask;
    }
}

TEST(CommandDialogControls, TheExtLivesOnlyWithArchive) {
    RuleControls hidden = controlsForRule({"BAK", 0x02, 1, 2, "x.exe"});
    EXPECT_EQ(hidden.attribute, AttributeChoice::Hidden);
    EXPECT_EQ(hidden.ext, "");
    EXPECT_EQ(controlsForRule({"BAK", 0x03, 1, 2, ""}).ext, "BAK");

    RuleControls c;
    c.ext = ".t\x95\x5cx";  // lower-case letters around a double-byte character
    c.textColor = 0x123456;
    c.backColor = 0x654321;
    ExtRule rule = ruleFromControls(c);
    EXPECT_EQ(rule.ext, "T\x95\x5cX");
    EXPECT_EQ(rule.attributeMask, 0x20u);
    EXPECT_EQ(rule.command, "CMD_NONE");
    EXPECT_EQ(rule.textColor, 0x123456u);
    EXPECT_EQ(rule.backColor, 0x654321u);

    c.attribute = AttributeChoice::Directory;
    c.command = "notepad.exe $F";
    rule = ruleFromControls(c);
    EXPECT_EQ(rule.ext, "");  // an ext left in the field never reaches an attribute rule
    EXPECT_EQ(rule.attributeMask, 0x10u);
    EXPECT_EQ(rule.command, "notepad.exe $F");
}

// The dialog's copy must colour and choose commands correctly after every
// edit, so the ext index has to follow the rows.
TEST(CommandDialogEdits, SetDeleteAndMoveKeepTheLookupsRight) {
    ExtTable table = sample();
    EXPECT_EQ(setRule(table, 0, {"doc", 0x20, 0x111111, 0x222222, "CMD_NONE"}), 0);
    EXPECT_EQ(table.colours("txt", 0x20), table.defaultPair());
    EXPECT_EQ(table.colours("Doc", 0x20), (ColourPair{0x111111, 0x222222}));
    EXPECT_EQ(setRule(table, -1, {"TXT", 0x20, 0x333333, 0x444444, "CMD_EDIT"}), 3);
    EXPECT_EQ(setRule(table, 99, {"", 0x02, 0x555555, 0x666666, "CMD_NONE"}), 4);
    EXPECT_EQ(order(table), "DOC - LZH TXT - ");
    EXPECT_EQ(table.colours("TXT", 0x20), (ColourPair{0x333333, 0x444444}));

    EXPECT_EQ(deleteRule(table, 5), -1);
    EXPECT_EQ(deleteRule(table, 0), -1);
    EXPECT_EQ(order(table), "- LZH TXT - ");
    EXPECT_EQ(table.colours("LZH", 0x20), (ColourPair{0xFF0000, 0x000003}));

    EXPECT_EQ(moveRule(table, 2, -1), 1);
    EXPECT_EQ(order(table), "- TXT LZH - ");
    EXPECT_EQ(moveRule(table, 0, -1), 0);
    EXPECT_EQ(moveRule(table, 3, +1), 3);
    EXPECT_EQ(moveRule(table, -1, +1), -1);
    EXPECT_EQ(order(table), "- TXT LZH - ");
    EXPECT_EQ(table.colours("lzh", 0x20), (ColourPair{0xFF0000, 0x000003}));
}

TEST(CommandDialogEdits, MovingDecidesWhichOfTwoRulesForOneExtWins) {
    ExtTable table;
    table.append({"TXT", 0x20, 0x000001, 0x000010, "first.exe"});
    table.append({"TXT", 0x20, 0x000002, 0x000020, "second.exe"});
    // Colours from the later rule, command from the earlier one.
    EXPECT_EQ(table.colours("TXT", 0x20), (ColourPair{0x000002, 0x000020}));
    EXPECT_EQ(table.commandFor("TXT").command, "first.exe");
    moveRule(table, 1, -1);
    EXPECT_EQ(table.colours("TXT", 0x20), (ColourPair{0x000001, 0x000010}));
    EXPECT_EQ(table.commandFor("TXT").command, "second.exe");
}
