#include "commands/key_dialog_model.h"

#include <gtest/gtest.h>

#include "commands/key_binding_print_test.h"
#include "commands/key_codes.h"

namespace {

const std::string Copy = "\x83\x52\x83\x73\x81\x5B";  // "コピー"

CommandLabels copyLabel() {
    CommandLabels labels;
    labels.parse("CMD_COPY," + Copy + "\n");
    return labels;
}

KeyMap sample() {
    return KeyMap({KeyBinding{'C', false, false, false, CmdCopy, {}},
                   KeyBinding{'C', true, true, false, CmdClipfileCopy, {}},
                   KeyBinding{vk::OemSlash, false, false, false, 0, "help.exe"},
                   KeyBinding{vk::F8, false, false, false, CmdCommandSet, {}}});
}

}  // namespace

TEST(KeyDialogKeyBox, TextBecomesAKeyCode) {
    EXPECT_EQ(keyCodeForText("Esc"), 25);
    EXPECT_EQ(keyCodeForText("a"), 'A');
    EXPECT_EQ(keyCodeForText("?"), vk::OemSlash);
    EXPECT_EQ(keyCodeForText("\x82\xA0"), 0x82);  // one double-byte character
    EXPECT_EQ(keyCodeForText("esc"), 0);
    EXPECT_EQ(keyCodeForText(""), 0);
}

TEST(KeyDialogKeyBox, RefreshShowsTheBindingAndGuardsShiftAndTheForcedKeys) {
    KeyMap map = sample();
    CommandLabels labels = copyLabel();

    KeyBoxState empty = refreshKeyBox("", true, false, false, map, labels);
    EXPECT_FALSE(empty.changed);

    KeyBoxState c = refreshKeyBox("c", true, false, false, map, labels);
    EXPECT_EQ(c.key, 'C');
    EXPECT_FALSE(c.shift);  // a single character takes no Shift without Ctrl or Alt
    EXPECT_FALSE(c.shiftEnabled);
    EXPECT_EQ(c.commandText, Copy);
    EXPECT_TRUE(c.setEnabled);

    KeyBoxState shiftCtrlC = refreshKeyBox("C", true, true, false, map, labels);
    EXPECT_TRUE(shiftCtrlC.shift);
    EXPECT_TRUE(shiftCtrlC.shiftEnabled);
    EXPECT_EQ(shiftCtrlC.commandText, "CMD_CLIPFILE_COPY");

    EXPECT_EQ(refreshKeyBox("?", false, false, false, map, labels).commandText, "help.exe");
    EXPECT_EQ(refreshKeyBox("Q", false, false, false, map, labels).commandText, "");

    KeyBoxState bad = refreshKeyBox("Enterr", false, true, false, map, labels);
    EXPECT_TRUE(bad.changed);
    EXPECT_FALSE(bad.setEnabled);
    EXPECT_FALSE(bad.commandTextChanged);

    KeyBoxState f8 = refreshKeyBox("F8", false, false, false, map, labels);
    EXPECT_FALSE(f8.setEnabled);
    EXPECT_FALSE(f8.commandEnabled);
    EXPECT_EQ(f8.commandText, "CMD_COMMAND_SET");
    EXPECT_TRUE(refreshKeyBox("F8", false, false, true, map, labels).setEnabled);
    EXPECT_TRUE(refreshKeyBox("F1", false, false, false, map, labels).setEnabled);
}

TEST(KeyDialogBinding, CommandBoxTextBecomesCommandOrCommandLine) {
    CommandLabels labels = copyLabel();
    EXPECT_EQ(bindingFromControls("k", false, true, false, Copy, labels),
              (KeyBinding{'K', false, true, false, CmdCopy, {}}));
    EXPECT_EQ(bindingFromControls("F2", true, false, false, "tool.exe,$P", labels),
              (KeyBinding{vk::F2, true, false, false, 0, "tool.exe,$P"}));
    // Choosing "CMD_NONE" unbinds instead of naming a program "CMD_NONE".
    EXPECT_EQ(bindingFromControls("F2", false, false, false, "CMD_NONE", labels),
              (KeyBinding{vk::F2, false, false, false, 0, {}}));
}

TEST(KeyDialogList, RowsAndCommandBox) {
    CommandLabels labels = copyLabel();
    KeyRow row = keyRow(KeyBinding{vk::EscapeMapped, true, false, true, CmdCopy, {}}, labels);
    EXPECT_EQ(row.key, "Esc");
    EXPECT_EQ(row.ctrl, " ");
    EXPECT_EQ(row.alt, "o");
    EXPECT_EQ(row.shift, "o");
    EXPECT_EQ(row.command, Copy);

    std::vector<std::string> items = commandBoxItems(labels);
    ASSERT_EQ(items.size(), 90u);
    EXPECT_EQ(items.front(), "CMD_NONE");
    EXPECT_EQ(items[1], "CMD_CURSOR_UP");
    EXPECT_EQ(items[CmdCopy - FirstCommand + 1], Copy);
    EXPECT_EQ(items.back(), "CMD_CHANGE_FTPUSER");
}
