// The Execute / Jump dialog opened for real on a "JUMPLST.tbl": the file's
// place, widths and rows shown, names found by pattern, prefix and then
// containment, Next stepping through the matches, editing, adding, deleting
// and moving rows, and which ways of closing write the file.
#include "navigation/win/jump_list_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/win/scratch_directory.h"
#include "navigation/jump_list.h"
#include "navigation/win/jump_list_dialog_ids.h"
#include "base/win/list_view.h"
#include "testing/win/dialog_test_driver.h"

using namespace dialog_test;

namespace {

const char* const Caption = "Execute / Jump";

HWND list(HWND dialog) { return GetDlgItem(dialog, IDC_JUMP_LIST_LIST); }

std::string cell(HWND dialog, int row, int column) { return listCellText(list(dialog), row, column); }

// "name|path" per row, as the list shows them.
std::vector<std::string> rows(HWND dialog) {
    std::vector<std::string> out;
    int count = static_cast<int>(SendMessageA(list(dialog), LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) out.push_back(cell(dialog, row, 0) + "|" + cell(dialog, row, 1));
    return out;
}

int selectedRow(HWND dialog) {
    return static_cast<int>(
        SendMessageA(list(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void selectRow(HWND dialog, int row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list(dialog), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

// Replaces the field's text the way typing over a selection does, one
// character at a time.
void type(HWND dialog, int id, const std::string& text) {
    HWND edit = GetDlgItem(dialog, id);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// Escape in the name field, as the user leaves without a choice.
void escape(HWND dialog) {
    PostMessageA(GetDlgItem(dialog, IDC_JUMP_LIST_NAME), WM_KEYDOWN, VK_ESCAPE, 1);
}

void key(HWND dialog, int id, WPARAM vk) { SendMessageA(GetDlgItem(dialog, id), WM_KEYDOWN, vk, 1); }

// A mouse click on the upper or lower arrow of the spin.
void spin(HWND dialog, bool up) {
    HWND arrows = GetDlgItem(dialog, IDC_JUMP_LIST_SPIN);
    RECT r;
    GetClientRect(arrows, &r);
    LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(arrows, WM_LBUTTONUP, 0, at);
}

std::vector<std::string> savedRows(const std::string& file) {
    JumpList saved;
    saved.load(file);
    std::vector<std::string> out;
    for (const JumpListEntry& e : saved.entries()) out.push_back(e.name + "|" + e.path);
    return out;
}

const std::string Docs =
    "100,80,700,500\n"
    "120,260,\n"
    "\"Tools\",\"C:\\tools\"\n"
    "\"My docs\",\"C:\\users\\me\\docs\"\n"
    "\"Music, old\",\"D:\\music\"\n";

}  // namespace

TEST(JumpListDialog, OpensAsTheFileSaysAndTypingDocFindsMyDocsForOk) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile("JUMPLST.tbl", Docs));

    std::vector<std::string> shown;
    std::string name, path, nameAfterTyping;
    int firstSelected = -1, afterTyping = -1, nameWidth = 0, pathWidth = 0;
    bool focusInName = false;
    RECT placed{};
    std::string chosen = "C:\\work\\project\\..";
    bool result = false;
    ASSERT_TRUE(drive(
        Caption, [&] { result = runJumpListDialog(nullptr, dir.path(), chosen); },
        [&](HWND d) {
            shown = rows(d);
            name = itemText(d, IDC_JUMP_LIST_NAME);
            path = itemText(d, IDC_JUMP_LIST_PATH);
            firstSelected = selectedRow(d);
            nameWidth = static_cast<int>(SendMessageA(list(d), LVM_GETCOLUMNWIDTH, 0, 0));
            pathWidth = static_cast<int>(SendMessageA(list(d), LVM_GETCOLUMNWIDTH, 1, 0));
            GetWindowRect(d, &placed);
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(GetWindowThreadProcessId(d, nullptr), &info);
            focusInName = info.hwndFocus == GetDlgItem(d, IDC_JUMP_LIST_NAME);
            type(d, IDC_JUMP_LIST_NAME, "doc");
            afterTyping = selectedRow(d);
            nameAfterTyping = itemText(d, IDC_JUMP_LIST_NAME);
            press(d, IDOK);
        }));
    EXPECT_EQ(shown, (std::vector<std::string>{"Tools|C:\\tools", "My docs|C:\\users\\me\\docs",
                                                "Music, old|D:\\music"}));
    EXPECT_EQ(path, "C:\\work\\project");
    EXPECT_EQ(name, "project");
    EXPECT_EQ(firstSelected, 0);
    EXPECT_TRUE(focusInName);
    EXPECT_EQ(nameWidth, 120);
    EXPECT_EQ(pathWidth, 260);
    EXPECT_EQ(placed.left, 100);
    EXPECT_EQ(placed.top, 80);
    EXPECT_EQ(placed.right, 700);
    EXPECT_EQ(placed.bottom, 500);
    EXPECT_EQ(afterTyping, 1);
    EXPECT_EQ(nameAfterTyping, "doc");
    EXPECT_TRUE(result);
    EXPECT_EQ(chosen, "C:\\users\\me\\docs");
    // OK writes the list back with the place and widths it had.
    EXPECT_EQ(readWholeFile(dir / "JUMPLST.tbl"), Docs);
}

TEST(JumpListDialog, PatternThenPrefixThenContainmentAndNextStepsThroughMatches) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile("JUMPLST.tbl", "0,0,0,0\n300,1000,\n"
                                             "\"a doc\",\"A\"\n"
                                             "\"b\",\"B\"\n"
                                             "\"c doc\",\"C\"\n"
                                             "\"doc\",\"D\"\n"
                                             "\"docs\",\"E\"\n"));
    int exact = -1, prefix = -1, contained = -1, next1 = -1, next2 = -1;
    int pattern = -1, down = -1, up = -1;
    bool editAfterArrow = true;
    std::string chosen;
    bool result = true;
    ASSERT_TRUE(drive(
        Caption, [&] { result = runJumpListDialog(nullptr, dir.path(), chosen); },
        [&](HWND d) {
            type(d, IDC_JUMP_LIST_NAME, "do");
            prefix = selectedRow(d);  // "doc", though "a doc" comes first
            type(d, IDC_JUMP_LIST_NAME, "docs");
            type(d, IDC_JUMP_LIST_NAME, "doc");
            exact = selectedRow(d);  // "doc" itself, though "docs" is current
            type(d, IDC_JUMP_LIST_NAME, " doc");
            contained = selectedRow(d);
            click(d, IDC_JUMP_LIST_NEXT);
            next1 = selectedRow(d);
            click(d, IDC_JUMP_LIST_NEXT);
            next2 = selectedRow(d);
            type(d, IDC_JUMP_LIST_NAME, "?");
            pattern = selectedRow(d);
            click(d, IDC_JUMP_LIST_EDIT);
            key(d, IDC_JUMP_LIST_PATH, VK_DOWN);
            down = selectedRow(d);
            editAfterArrow = isChecked(d, IDC_JUMP_LIST_EDIT);
            key(d, IDC_JUMP_LIST_NAME, VK_UP);
            key(d, IDC_JUMP_LIST_NAME, VK_UP);
            up = selectedRow(d);
            escape(d);
        }));
    EXPECT_EQ(prefix, 3);
    EXPECT_EQ(exact, 3);
    EXPECT_EQ(contained, 0);  // searched from "doc", wrapping to "a doc"
    EXPECT_EQ(next1, 2);
    EXPECT_EQ(next2, 0);
    EXPECT_EQ(pattern, 1);  // "b" is the only one-character name
    EXPECT_EQ(down, 2);
    EXPECT_FALSE(editAfterArrow);
    EXPECT_EQ(up, 0);
    EXPECT_FALSE(result);
}

TEST(JumpListDialog, EditAddDelAndSpinChangeTheSavedFileOnClose) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile("JUMPLST.tbl", Docs));
    std::string file = dir / "JUMPLST.tbl";

    std::vector<std::string> afterAdd, afterDel, afterEdit, afterSpin;
    std::string editName, editPath;
    std::string chosen = "C:\\new\\place";
    bool result = true;
    ASSERT_TRUE(drive(
        Caption, [&] { result = runJumpListDialog(nullptr, dir.path(), chosen); },
        [&](HWND d) {
            type(d, IDC_JUMP_LIST_NAME, "Place");
            click(d, IDC_JUMP_LIST_ADD);
            afterAdd = rows(d);

            selectRow(d, 2);  // My docs
            click(d, IDC_JUMP_LIST_DEL);
            afterDel = rows(d);

            selectRow(d, 1);  // Tools
            click(d, IDC_JUMP_LIST_EDIT);
            editName = itemText(d, IDC_JUMP_LIST_NAME);
            editPath = itemText(d, IDC_JUMP_LIST_PATH);
            type(d, IDC_JUMP_LIST_NAME, "Werkzeug");
            type(d, IDC_JUMP_LIST_PATH, "E:\\tools");
            afterEdit = rows(d);

            spin(d, false);  // down past "Music, old"
            spin(d, false);  // already last: stays
            spin(d, true);
            spin(d, true);   // up to the top
            afterSpin = rows(d);
            press(d, IDC_JUMP_LIST_CLOSE);
        }));
    EXPECT_EQ(afterAdd,
              (std::vector<std::string>{"Place|C:\\new\\place", "Tools|C:\\tools",
                                        "My docs|C:\\users\\me\\docs", "Music, old|D:\\music"}));
    EXPECT_EQ(afterDel, (std::vector<std::string>{"Place|C:\\new\\place", "Tools|C:\\tools",
                                                   "Music, old|D:\\music"}));
    EXPECT_EQ(editName, "Tools");
    EXPECT_EQ(editPath, "C:\\tools");
    EXPECT_EQ(afterEdit, (std::vector<std::string>{"Place|C:\\new\\place", "Werkzeug|E:\\tools",
                                                    "Music, old|D:\\music"}));
    EXPECT_EQ(afterSpin, (std::vector<std::string>{"Werkzeug|E:\\tools", "Place|C:\\new\\place",
                                                    "Music, old|D:\\music"}));
    EXPECT_FALSE(result);
    EXPECT_EQ(chosen, "C:\\new\\place");
    EXPECT_EQ(savedRows(file), afterSpin);
}

TEST(JumpListDialog, EscapeKeepsTheFileAndAMissingFileStartsEmpty) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile("JUMPLST.tbl", Docs));
    std::string chosen;
    ASSERT_TRUE(drive(
        Caption, [&] { runJumpListDialog(nullptr, dir.path(), chosen); },
        [&](HWND d) {
            click(d, IDC_JUMP_LIST_ADD);
            escape(d);
        }));
    EXPECT_EQ(readWholeFile(dir / "JUMPLST.tbl"), Docs);

    ScratchDirectory empty;
    std::size_t count = 99;
    bool result = true;
    ASSERT_TRUE(drive(
        Caption, [&] { result = runJumpListDialog(nullptr, empty.path(), chosen); },
        [&](HWND d) {
            count = rows(d).size();
            type(d, IDC_JUMP_LIST_NAME, "x");
            press(d, IDOK);
        }));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(result);  // nothing to choose, but the empty list is written
    EXPECT_TRUE(fileExists(empty / "JUMPLST.tbl"));
}
