// The COMMAND dialog opened for real on an "ExecCmd.tbl": the file's lines
// and the command names shown, items added, moved and deleted, which way of
// closing answers what and writes the file, a program taken from the file
// dialog, and the dialog's place kept in the settings.
#include "fileops/win/exec_command_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "services/win/ini_profile.h"
#include "base/win/list_view.h"
#include "testing/win/scratch_directory.h"
#include "commands/command_id.h"
#include "fileops/win/exec_command_dialog_ids.h"
#include "testing/win/dialog_test_driver.h"

using namespace dialog_test;

namespace {

const char* const Caption = "COMMAND";
constexpr int FileNameBox = 1148;  // inside the platform's file dialog
constexpr int LookInBox = 1137;

using List = std::vector<std::string>;

struct Fixture {
    ScratchDirectory dir;
    IniProfile profile{dir / "Vorbin.ini"};
    Settings settings{profile, dir.path() + "\\"};
    std::string table = dir / "ExecCmd.tbl";
    std::string chosen = "untouched";
    bool result = false;

    bool open(const std::function<void(HWND)>& steps, const std::string& entry = "readme.txt") {
        return drive(
            Caption,
            [&] {
                result = runExecCommandDialog(nullptr, settings, table, entry, dir.path(), chosen);
            },
            steps);
    }
};

HWND list(HWND dialog) { return GetDlgItem(dialog, IDC_EXEC_COMMAND_LIST); }

List rows(HWND dialog) {
    List out;
    int count = static_cast<int>(SendMessageA(list(dialog), LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) out.push_back(listCellText(list(dialog), row, 0));
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

std::string comboText(HWND dialog) { return itemText(dialog, IDC_EXEC_COMMAND_TEXT); }

// Types over the combo box's text one character at a time, as the user does.
void typeCommand(HWND dialog, const std::string& text) {
    HWND edit = GetWindow(GetDlgItem(dialog, IDC_EXEC_COMMAND_TEXT), GW_CHILD);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// A mouse click on the upper or lower arrow of the spin.
void spin(HWND dialog, bool up) {
    HWND arrows = GetDlgItem(dialog, IDC_EXEC_COMMAND_SPIN);
    RECT r;
    GetClientRect(arrows, &r);
    LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(arrows, WM_LBUTTONUP, 0, at);
}

// Posted: the double click ends the dialog.
void doubleClick(HWND dialog, int row) {
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageA(list(dialog), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    PostMessageA(list(dialog), WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

// A visible window owned by owner (the file dialog), or null.
HWND waitForOwned(HWND owner) {
    struct Search {
        HWND owner;
        HWND found;
    } search{owner, nullptr};
    for (int i = 0; i < 500 && !search.found; ++i) {
        EnumThreadWindows(
            GetWindowThreadProcessId(owner, nullptr),
            [](HWND hwnd, LPARAM lp) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lp);
                if (GetWindow(hwnd, GW_OWNER) != s->owner || !IsWindowVisible(hwnd)) return TRUE;
                s->found = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(10);
    }
    return search.found;
}

HWND childEdit(HWND parent, int id) {
    struct Found {
        int id;
        HWND edit;
    } found{id, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<Found*>(lp);
            char kind[32] = "";
            GetClassNameA(child, kind, sizeof kind);
            if (GetDlgCtrlID(child) == f->id && std::string(kind) == "Edit") f->edit = child;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.edit;
}

}  // namespace

TEST(ExecCommandDialog, ShowsTheFileTheEntryAndEveryCommandNameAndCancelWritesNothing) {
    Fixture f;
    // Lines holding only their line end are dropped; everything else is shown.
    const std::string original = "notepad.exe,$T\n\n$S dir\r\n\r\nCMD_COPY\nx\n";
    ASSERT_TRUE(f.dir.writeFile("ExecCmd.tbl", original));
    const std::string entry = "\x95\x5C\x8E\xA6 memo.txt";  // a 0x5C trail byte included

    List shown, names, afterEdits;
    std::string shownEntry, title;
    int selected = 0, width = 0, listWidth = 0;
    bool deleteEnabled = true;
    ASSERT_TRUE(f.open(
        [&](HWND d) {
            shown = rows(d);
            shownEntry = itemText(d, IDC_EXEC_COMMAND_ENTRY);
            selected = selectedRow(d);
            deleteEnabled = isEnabled(d, IDC_EXEC_COMMAND_DELETE);
            HWND combo = GetDlgItem(d, IDC_EXEC_COMMAND_TEXT);
            int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                char name[64] = "";
                SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
                names.push_back(name);
            }
            char header[32] = "";
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT;
            column.pszText = header;
            column.cchTextMax = sizeof header;
            SendMessageA(list(d), LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
            title = header;
            width = static_cast<int>(SendMessageA(list(d), LVM_GETCOLUMNWIDTH, 0, 0));
            RECT r;
            GetClientRect(list(d), &r);
            listWidth = r.right;

            typeCommand(d, "calc.exe");
            click(d, IDC_EXEC_COMMAND_ADD);
            selectRow(d, 0);
            click(d, IDC_EXEC_COMMAND_DELETE);
            afterEdits = rows(d);
            press(d, IDCANCEL);
        },
        entry));
    EXPECT_EQ(shown, (List{"notepad.exe,$T", "$S dir", "CMD_COPY", "x"}));
    EXPECT_EQ(shownEntry, entry);
    EXPECT_EQ(selected, -1);
    EXPECT_FALSE(deleteEnabled);
    ASSERT_EQ(names.size(), static_cast<std::size_t>(CommandCount));
    for (int i = 0; i < CommandCount; ++i)
        EXPECT_EQ(names[static_cast<std::size_t>(i)], CommandNameFromId(FirstCommand + i));
    EXPECT_EQ(title, "Command");
    EXPECT_EQ(width, listWidth);  // the one column fills the list
    EXPECT_EQ(afterEdits, (List{"$S dir", "CMD_COPY", "x", "calc.exe"}));
    EXPECT_FALSE(f.result);
    EXPECT_EQ(f.chosen, "untouched");
    EXPECT_EQ(readWholeFile(f.table), original);
}

TEST(ExecCommandDialog, AddMoveAndDeleteChangeTheFileOnOkExactly) {
    Fixture f;
    ASSERT_TRUE(f.dir.writeFile("ExecCmd.tbl", "first\nsecond\nthird\n"));

    List afterAdd, afterUp, afterTopUp, afterDelete, afterLastDown;
    int addedRow = -1, movedRow = -1, topRow = -1, afterDeleteRow = 0, lastRow = -1;
    std::string addedCombo, addedPosition, movedPosition, selectedCombo, afterDeletePosition;
    bool enabledAfterAdd = false, enabledAfterDelete = true, emptyAddChanged = true;
    ASSERT_TRUE(f.open([&](HWND d) {
        typeCommand(d, "notepad.exe,$D\\$T");
        click(d, IDC_EXEC_COMMAND_ADD);
        afterAdd = rows(d);
        addedRow = selectedRow(d);
        addedCombo = comboText(d);
        addedPosition = itemText(d, IDC_EXEC_COMMAND_POSITION);
        enabledAfterAdd = isEnabled(d, IDC_EXEC_COMMAND_DELETE);

        spin(d, true);
        afterUp = rows(d);
        movedRow = selectedRow(d);
        movedPosition = itemText(d, IDC_EXEC_COMMAND_POSITION);

        selectRow(d, 0);
        selectedCombo = comboText(d);
        spin(d, true);  // already at the top: stays
        afterTopUp = rows(d);
        topRow = selectedRow(d);

        click(d, IDC_EXEC_COMMAND_DELETE);
        afterDelete = rows(d);
        afterDeleteRow = selectedRow(d);
        enabledAfterDelete = isEnabled(d, IDC_EXEC_COMMAND_DELETE);
        afterDeletePosition = itemText(d, IDC_EXEC_COMMAND_POSITION);

        selectRow(d, 2);
        spin(d, false);  // already at the bottom: stays
        afterLastDown = rows(d);
        lastRow = selectedRow(d);

        typeCommand(d, "");
        click(d, IDC_EXEC_COMMAND_ADD);  // nothing to add
        emptyAddChanged = rows(d) != afterLastDown;

        selectRow(d, 1);
        press(d, IDOK);
    }));
    EXPECT_EQ(afterAdd, (List{"first", "second", "third", "notepad.exe,$D\\$T"}));
    EXPECT_EQ(addedRow, 3);
    EXPECT_EQ(addedCombo, "notepad.exe,$D\\$T");
    EXPECT_EQ(addedPosition, "4");
    EXPECT_TRUE(enabledAfterAdd);
    EXPECT_EQ(afterUp, (List{"first", "second", "notepad.exe,$D\\$T", "third"}));
    EXPECT_EQ(movedRow, 2);
    EXPECT_EQ(movedPosition, "3");
    EXPECT_EQ(selectedCombo, "first");
    EXPECT_EQ(afterTopUp, afterUp);
    EXPECT_EQ(topRow, 0);
    EXPECT_EQ(afterDelete, (List{"second", "notepad.exe,$D\\$T", "third"}));
    EXPECT_EQ(afterDeleteRow, -1);
    EXPECT_FALSE(enabledAfterDelete);
    EXPECT_EQ(afterDeletePosition, "");
    EXPECT_EQ(afterLastDown, afterDelete);
    EXPECT_EQ(lastRow, 2);
    EXPECT_FALSE(emptyAddChanged);
    EXPECT_TRUE(f.result);
    EXPECT_EQ(f.chosen, "notepad.exe,$D\\$T");
    EXPECT_EQ(readWholeFile(f.table), "second\nnotepad.exe,$D\\$T\nthird\n");
}

TEST(ExecCommandDialog, DoubleClickAnswersTheItemAndLeavesAnUnchangedFileAsItWas) {
    Fixture f;
    const std::string original = "CMD_EDIT\r\n\r\nlha.exe,a x.lzh $G\r\n";
    ASSERT_TRUE(f.dir.writeFile("ExecCmd.tbl", original));
    ASSERT_TRUE(f.open([&](HWND d) { doubleClick(d, 1); }));
    EXPECT_TRUE(f.result);
    EXPECT_EQ(f.chosen, "lha.exe,a x.lzh $G");
    EXPECT_EQ(readWholeFile(f.table), original);
}

TEST(ExecCommandDialog, OkWithoutSelectionTakesWhatTheComboBoxShows) {
    // Typing over a selected item's text drops the selection, so OK runs
    // what the user sees rather than the item.
    Fixture f;
    ASSERT_TRUE(f.dir.writeFile("ExecCmd.tbl", "first\nsecond\n"));
    int selectedAfterTyping = 0;
    bool deleteAfterTyping = true;
    ASSERT_TRUE(f.open([&](HWND d) {
        selectRow(d, 1);
        typeCommand(d, "CMD_COPY");
        selectedAfterTyping = selectedRow(d);
        deleteAfterTyping = isEnabled(d, IDC_EXEC_COMMAND_DELETE);
        press(d, IDOK);
    }));
    EXPECT_EQ(selectedAfterTyping, -1);
    EXPECT_FALSE(deleteAfterTyping);
    EXPECT_TRUE(f.result);
    EXPECT_EQ(f.chosen, "CMD_COPY");
    EXPECT_EQ(readWholeFile(f.table), "first\nsecond\n");

    // No file, nothing selected, nothing typed: OK has nothing to answer,
    // and an empty list creates no file.
    Fixture empty;
    std::size_t count = 99;
    ASSERT_TRUE(empty.open([&](HWND d) {
        count = rows(d).size();
        typeCommand(d, "   ");
        press(d, IDOK);
    }));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(empty.result);
    EXPECT_EQ(empty.chosen, "untouched");
    EXPECT_FALSE(fileExists(empty.table));
}

TEST(ExecCommandDialog, FileButtonPutsTheChosenProgramIntoTheComboBox) {
    Fixture f;
    ASSERT_TRUE(f.dir.makeDirectory("tools"));
    ASSERT_TRUE(f.dir.writeFile("tools\\run me.exe", "MZ"));
    ASSERT_TRUE(f.dir.writeFile("ExecCmd.tbl", "first\n"));
    std::string program = f.dir / "tools\\run me.exe";
    std::string folder, combo;
    int selected = 0;
    bool answered = false;
    ASSERT_TRUE(drive(
        Caption,
        [&] {
            f.result = runExecCommandDialog(nullptr, f.settings, f.table, "x",
                                            f.dir / "tools", f.chosen);
        },
        [&](HWND d) {
            selectRow(d, 0);
            press(d, IDC_EXEC_COMMAND_FILE);
            HWND chooser = waitForOwned(d);
            if (!chooser) return;
            folder = itemText(chooser, LookInBox);
            HWND name = childEdit(chooser, FileNameBox);
            if (!name) return;
            SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(program.c_str()));
            press(chooser, IDOK);
            for (int i = 0; i < 500 && IsWindow(chooser); ++i) Sleep(10);
            answered = !IsWindow(chooser);
            if (!answered) PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
            combo = comboText(d);
            selected = selectedRow(d);
            press(d, IDOK);
        }));
    EXPECT_EQ(folder, "tools");  // it opens in the pane's directory
    ASSERT_TRUE(answered);
    EXPECT_EQ(combo, program);
    EXPECT_EQ(selected, -1);
    EXPECT_TRUE(f.result);
    EXPECT_EQ(f.chosen, program);
}

TEST(ExecCommandDialog, PlaceIsRestoredByTheWindowRulesAndKeptOnClose) {
    Fixture f;
    ASSERT_TRUE(f.dir.writeFile("ExecCmd.tbl", "first\n"));

    // Left and top both 0 count as unplaced: the left edge becomes 1, the
    // right edge stays where it was. (Sizes above the template's, which is
    // the least the window takes.)
    f.profile.write("WINDOW", "EXEC_COMMAND", "0,0,620,400");
    RECT corner{};
    ASSERT_TRUE(f.open([&](HWND d) {
        GetWindowRect(d, &corner);
        SetWindowPos(d, nullptr, 40, 50, 660, 420, SWP_NOZORDER);
        press(d, IDCANCEL);
    }));
    EXPECT_EQ(corner.left, 1);
    EXPECT_EQ(corner.top, 0);
    EXPECT_EQ(corner.right, 620);
    EXPECT_EQ(corner.bottom - corner.top, 400);
    EXPECT_EQ(f.profile.read("WINDOW", "EXEC_COMMAND"), "40,50,660,420");

    // Negative sizes are turned round into the rectangle they span.
    f.profile.write("WINDOW", "EXEC_COMMAND", "1000,700,-600,-400");
    RECT turned{};
    RECT listBox{}, okButton{};
    ASSERT_TRUE(f.open([&](HWND d) {
        GetWindowRect(d, &turned);
        GetWindowRect(list(d), &listBox);
        GetWindowRect(GetDlgItem(d, IDOK), &okButton);
        doubleClick(d, 0);
    }));
    EXPECT_EQ(turned.left, 400);
    EXPECT_EQ(turned.top, 300);
    EXPECT_EQ(turned.right, 1000);
    EXPECT_EQ(turned.bottom, 700);
    // The controls follow the size: the list grows, the buttons stay right.
    EXPECT_LT(listBox.right, okButton.left);
    EXPECT_GT(okButton.right, turned.right - 40);
    EXPECT_EQ(f.profile.read("WINDOW", "EXEC_COMMAND"), "400,300,600,400");

    // A window off the top-left is not remembered.
    RECT offScreen{};
    ASSERT_TRUE(f.open([&](HWND d) {
        SetWindowPos(d, nullptr, -2000, -2000, 620, 400, SWP_NOZORDER);
        GetWindowRect(d, &offScreen);
        press(d, IDCANCEL);
    }));
    EXPECT_LT(offScreen.right, 1);
    EXPECT_EQ(f.profile.read("WINDOW", "EXEC_COMMAND"), "400,300,600,400");
}
