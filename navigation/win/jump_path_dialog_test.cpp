// The Jump Path dialog opened for real and driven with real key strokes: a
// key chooses its path at once, Shift+key stores the typed path under it and
// writes the table at once, OK keeps the text among the earlier inputs.
#include "navigation/win/jump_path_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "services/win/ini_profile.h"
#include "testing/win/scratch_directory.h"
#include "navigation/win/jump_path_dialog_ids.h"
#include "testing/win/dialog_test_driver.h"

using namespace dialog_test;

namespace {

void tapWith(WORD modifier, WORD vk) {
    sendKey(modifier, false);
    tap(vk);
    sendKey(modifier, true);
}

std::vector<std::string> rows(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_JUMP_LIST);
    std::vector<std::string> out;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string row;
        for (int column = 0; column < 2; ++column) {
            char text[300] = "";
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
            row += column ? std::string(",") + text : std::string(text);
        }
        out.push_back(row);
    }
    return out;
}

std::vector<std::string> comboItems(HWND dialog) {
    HWND combo = GetDlgItem(dialog, IDC_JUMP_PATH);
    std::vector<std::string> items;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[300] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

struct Program {
    ScratchDirectory dir;
    IniProfile profile{dir / "Vorbin.ini"};
    Settings settings{profile, dir.path() + "\\"};
};

}  // namespace

TEST(JumpPathDialog, KeyChoosesItsPathAtOnceAndAnUnknownKeyOnlyReports) {
    Program program;
    ASSERT_TRUE(program.dir.writeFile("JUMP.TBL",
                                      "a,C:\\first\n# a note\n5,C:\\five\nA,C:\\later\n"));
    std::vector<std::string> shown;
    std::string statusAtOpen, statusAfterError, selectField;
    bool stillOpen = false;
    std::string chosen;
    bool result = false;
    bool found = drive(
        "Jump",
        [&] {
            result = runJumpPathDialog(nullptr, JumpMode::Jump, program.settings, "C:\\here",
                                       chosen);
        },
        [&](HWND d) {
            shown = rows(d);
            statusAtOpen = itemText(d, IDC_JUMP_STATUS);
            activate(d);
            tap('Q');
            waitFor([&] { return itemText(d, IDC_JUMP_STATUS) == "Error (Q)"; });
            statusAfterError = itemText(d, IDC_JUMP_STATUS);
            selectField = itemText(d, IDC_JUMP_SELECT);
            stillOpen = IsWindowVisible(d);
            tap('A');
        });
    ASSERT_TRUE(found);
    // Sorted by key, both "a" pairs shown under "A", the note left out.
    EXPECT_EQ(shown, (std::vector<std::string>{"5,C:\\five", "A,C:\\first", "A,C:\\later"}));
    EXPECT_EQ(statusAtOpen, "Key Select");
    EXPECT_EQ(statusAfterError, "Error (Q)");
    EXPECT_EQ(selectField, "");
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(result);
    EXPECT_EQ(chosen, "C:\\later");
    // A key choice is no typed input: nothing joins the earlier inputs.
    EXPECT_EQ(program.profile.read("Jump", "TEXT00"), "");

    // Execute has its own table; a keypad digit counts as the digit.
    ASSERT_TRUE(program.dir.writeFile("EXECUTE.TBL", "5,notepad.exe \"%s\"\n"));
    chosen.clear();
    ASSERT_TRUE(drive(
        "Execute",
        [&] {
            result = runJumpPathDialog(nullptr, JumpMode::Execute, program.settings, "C:\\x",
                                       chosen);
        },
        [&](HWND d) {
            activate(d);
            tap(VK_NUMPAD5);
        }));
    EXPECT_TRUE(result);
    EXPECT_EQ(chosen, "notepad.exe \"%s\"");

    // The "\" key chooses the root of the current drive, whatever the table holds.
    ASSERT_TRUE(drive(
        "History",
        [&] {
            result = runJumpPathDialog(nullptr, JumpMode::History, program.settings, "C:\\x",
                                       chosen);
        },
        [&](HWND d) {
            activate(d);
            tap(220);
        }));
    EXPECT_TRUE(result);
    EXPECT_EQ(chosen, "\\");
}

TEST(JumpPathDialog, ShiftKeyStoresThePathUnderTheKeyAndWritesTheTableAtOnce) {
    Program program;
    ASSERT_TRUE(program.dir.writeFile("JUMP.TBL", "3,C:\\old\nB,C:\\bee\n"));
    const std::string table = program.dir / "JUMP.TBL";
    std::string fileWhileOpen, keyField, selectField;
    std::vector<std::string> shown;
    bool result = true;
    std::string chosen;
    ASSERT_TRUE(drive(
        "Jump",
        [&] {
            result = runJumpPathDialog(nullptr, JumpMode::Jump, program.settings, "C:\\here",
                                       chosen);
        },
        [&](HWND d) {
            setItemText(d, IDC_JUMP_PATH, "D:\\\x95\x5c\\new");  // 表: trail byte "\"
            activate(d);
            tapWith(VK_SHIFT, '3');
            waitFor([&] { return readWholeFile(table) != "3,C:\\old\nB,C:\\bee\n"; });
            fileWhileOpen = readWholeFile(table);
            shown = rows(d);
            keyField = itemText(d, IDC_JUMP_KEY);
            selectField = itemText(d, IDC_JUMP_SELECT);
            press(d, IDCANCEL);
        }));
    EXPECT_EQ(fileWhileOpen, "3,D:\\\x95\x5c\\new\nB,C:\\bee\n");
    EXPECT_EQ(shown, (std::vector<std::string>{"3,D:\\\x95\x5c\\new", "B,C:\\bee"}));
    EXPECT_EQ(keyField, "");
    EXPECT_EQ(selectField, "");
    EXPECT_FALSE(result);
    EXPECT_EQ(chosen, "");
}

TEST(JumpPathDialog, OkReturnsTheTextWithoutParentStepAndKeepsTenEarlierInputs) {
    Program program;
    for (int i = 0; i < 10; ++i)
        program.profile.write("Jump", "TEXT0" + std::to_string(i), "C:\\old" + std::to_string(i));
    std::string prefilled;
    std::vector<std::string> items;
    std::string chosen;
    bool result = false;
    ASSERT_TRUE(drive(
        "Jump",
        [&] {
            result = runJumpPathDialog(nullptr, JumpMode::Jump, program.settings,
                                       "C:\\dir\\sub\\..", chosen);
        },
        [&](HWND d) {
            prefilled = itemText(d, IDC_JUMP_PATH);
            items = comboItems(d);
            press(d, IDOK);
        }));
    EXPECT_EQ(prefilled, "C:\\dir\\sub");
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[0], "C:\\old0");
    EXPECT_TRUE(result);
    EXPECT_EQ(chosen, "C:\\dir\\sub");
    EXPECT_EQ(program.profile.read("Jump", "TEXT00"), "C:\\dir\\sub");
    EXPECT_EQ(program.profile.read("Jump", "TEXT01"), "C:\\old0");
    EXPECT_EQ(program.profile.read("Jump", "TEXT09"), "C:\\old8");
    EXPECT_EQ(program.profile.read("Jump", "TEXT10"), "");
    EXPECT_FALSE(program.profile.read("Jump", "WindowPos").empty());

    // A typed text is returned as typed; the position comes back from the settings.
    program.profile.write("Jump", "WindowPos", "40,30,10,10");
    RECT placed{};
    ASSERT_TRUE(drive(
        "Jump",
        [&] {
            result = runJumpPathDialog(nullptr, JumpMode::Jump, program.settings, "C:\\x/..",
                                       chosen);
        },
        [&](HWND d) {
            prefilled = itemText(d, IDC_JUMP_PATH);
            GetWindowRect(d, &placed);
            setItemText(d, IDC_JUMP_PATH, "E:\\typed dir");
            press(d, IDOK);
        }));
    EXPECT_EQ(prefilled, "C:\\x");
    EXPECT_EQ(placed.left, 40);
    EXPECT_EQ(placed.top, 30);
    EXPECT_EQ(chosen, "E:\\typed dir");
    EXPECT_EQ(program.profile.read("Jump", "TEXT00"), "E:\\typed dir");
    EXPECT_EQ(program.profile.read("Jump", "TEXT01"), "C:\\dir\\sub");
}

TEST(JumpPathDialog, ListRowFillsThePathAndDeleteRemovesItFromTheFile) {
    Program program;
    ASSERT_TRUE(program.dir.writeFile("JUMP.TBL", "1,C:\\one\n2,C:\\two\n"));
    bool deleteAtOpen = true, deleteAfterPick = false, deleteAfterDelete = true;
    std::string picked, fileAfterDelete;
    std::vector<std::string> shown;
    std::string chosen;
    bool result = false;
    ASSERT_TRUE(drive(
        "Jump",
        [&] {
            result = runJumpPathDialog(nullptr, JumpMode::Jump, program.settings, "C:\\here",
                                       chosen);
        },
        [&](HWND d) {
            deleteAtOpen = isEnabled(d, IDC_JUMP_DELETE);
            LVITEMA state{};
            state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(GetDlgItem(d, IDC_JUMP_LIST), LVM_SETITEMSTATE, 1,
                         reinterpret_cast<LPARAM>(&state));
            picked = itemText(d, IDC_JUMP_PATH);
            deleteAfterPick = isEnabled(d, IDC_JUMP_DELETE);
            click(d, IDC_JUMP_DELETE);
            fileAfterDelete = readWholeFile(program.dir / "JUMP.TBL");
            shown = rows(d);
            deleteAfterDelete = isEnabled(d, IDC_JUMP_DELETE);
            press(d, IDOK);
        }));
    EXPECT_FALSE(deleteAtOpen);
    EXPECT_EQ(picked, "C:\\two");
    EXPECT_TRUE(deleteAfterPick);
    EXPECT_EQ(fileAfterDelete, "1,C:\\one\n");
    EXPECT_EQ(shown, (std::vector<std::string>{"1,C:\\one"}));
    EXPECT_FALSE(deleteAfterDelete);
    EXPECT_TRUE(result);
    EXPECT_EQ(chosen, "C:\\two");
}

TEST(JumpPathDialog, CtrlLettersCompleteThePathFromTheDirectory) {
    Program program;
    ScratchDirectory tree;
    ASSERT_TRUE(tree.makeDirectory("alpha"));
    ASSERT_TRUE(tree.makeDirectory("alpine"));
    ASSERT_TRUE(tree.makeDirectory("alto"));
    ASSERT_TRUE(tree.makeDirectory("beta"));
    ASSERT_TRUE(tree.writeFile("album.txt", "x"));
    std::string status;
    std::vector<std::string> directories;
    std::string firstBack, file;
    std::string chosen;
    bool result = false;
    ASSERT_TRUE(drive(
        "Jump",
        [&] {
            result = runJumpPathDialog(nullptr, JumpMode::Jump, program.settings,
                                       tree.path() + "\\al", chosen);
        },
        [&](HWND d) {
            activate(d);
            tap(VK_TAB);  // from the key-select field on to the path
            waitFor([&] { return itemText(d, IDC_JUMP_STATUS) == "Data Input"; });
            status = itemText(d, IDC_JUMP_STATUS);
            for (int i = 0; i < 2; ++i) {
                std::string before = itemText(d, IDC_JUMP_PATH);
                tapWith(VK_CONTROL, 'D');
                waitFor([&] { return itemText(d, IDC_JUMP_PATH) != before; });
                directories.push_back(itemText(d, IDC_JUMP_PATH));
            }
            std::string before = itemText(d, IDC_JUMP_PATH);
            sendKey(VK_SHIFT, false);
            tapWith(VK_CONTROL, 'D');
            sendKey(VK_SHIFT, true);
            waitFor([&] { return itemText(d, IDC_JUMP_PATH) != before; });
            firstBack = itemText(d, IDC_JUMP_PATH);
            // Typing starts afresh from the new name part.
            std::size_t nameLength = firstBack.size() - tree.path().size() - 1;
            for (std::size_t i = 0; i < nameLength; ++i) tap(VK_BACK);
            waitFor([&] { return itemText(d, IDC_JUMP_PATH).size() == tree.path().size() + 1; });
            tap('A');
            tap('L');
            tap('B');
            tapWith(VK_CONTROL, 'F');
            waitFor([&] { return itemText(d, IDC_JUMP_PATH).find(".txt") != std::string::npos; });
            file = itemText(d, IDC_JUMP_PATH);
            press(d, IDCANCEL);
        }));
    EXPECT_EQ(status, "Data Input");
    ASSERT_EQ(directories.size(), 2u);
    const std::set<std::string> candidates{tree / "alpha", tree / "alpine", tree / "alto"};
    EXPECT_TRUE(candidates.count(directories[0]));
    EXPECT_TRUE(candidates.count(directories[1]));
    EXPECT_NE(directories[0], directories[1]);
    // One step back from the second candidate is the first, not the third.
    EXPECT_EQ(firstBack, directories[0]);
    EXPECT_EQ(file, tree / "album.txt");
    EXPECT_FALSE(result);
}

TEST(JumpPathDialog, ParentStepGoesOnlyWhenItIsOne) {
    EXPECT_EQ(withoutParentStep("C:\\a\\.."), "C:\\a");
    EXPECT_EQ(withoutParentStep("|host/dir/.."), "|host/dir");
    EXPECT_EQ(withoutParentStep("C:\\a..b"), "C:\\a..b");
    EXPECT_EQ(withoutParentStep(".."), "..");
    // 表 ends in the byte of "\": the ".." after it is part of the name.
    EXPECT_EQ(withoutParentStep("C:\\\x95\x5c.."), "C:\\\x95\x5c..");
}
