// The colour and command table dialog opened for real: rows listed and loaded
// into the controls, rules set, moved and deleted, colours taken from the
// platform's chooser, tables saved and loaded through the file dialog, and
// OK writing "Color.tbl".
#include "panes/win/command_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/win/scratch_directory.h"
#include "panes/win/command_dialog_ids.h"
#include "base/win/list_view.h"
#include "testing/win/dialog_test_driver.h"

using namespace dialog_test;

namespace {

// Control numbers inside the platform's colour chooser and file dialog.
constexpr int ChooserRed = 706, ChooserGreen = 707, ChooserBlue = 708;
constexpr int FileNameBox = 1148;

ExtTable sample() {
    ExtTable table;
    table.setDefaultPair({0xC0C0C0, 0x000000});
    table.setTodayPair({0x00FFFF, 0x000000});
    table.append({"TXT", 0x20, 0x0000FF, 0x800000, "CMD_EDIT"});
    table.append({"", 0x10, 0xFFFF00, 0x000000, "CMD_NONE"});
    table.append({"LZH", 0x20, 0x00FF00, 0x000000, "CMD_UNPACK"});
    table.append({"BAK", 0x03, 0x808080, 0x000000, "x.exe"});  // not a single bit
    return table;
}

HWND list(HWND dialog) { return GetDlgItem(dialog, IDC_COMMAND_LIST); }

std::string cell(HWND dialog, int row, int column) { return listCellText(list(dialog), row, column); }

// "ext|command|attrib" per row, as the list shows them.
std::vector<std::string> rows(HWND dialog) {
    std::vector<std::string> out;
    int count = static_cast<int>(SendMessageA(list(dialog), LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row)
        out.push_back(cell(dialog, row, 0) + "|" + cell(dialog, row, 1) + "|" +
                      cell(dialog, row, 2));
    return out;
}

int selectedRow(HWND dialog) {
    return static_cast<int>(
        SendMessageA(list(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// -1 clears the selection.
void selectRow(HWND dialog, int row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = row >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageA(list(dialog), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
}

// A mouse click on the upper or lower arrow of the spin.
void spin(HWND dialog, bool up) {
    HWND arrows = GetDlgItem(dialog, IDC_COMMAND_SPIN);
    RECT r;
    GetClientRect(arrows, &r);
    LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
    SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(arrows, WM_LBUTTONUP, 0, at);
}

std::string checkedAttribute(HWND dialog) {
    const std::pair<int, const char*> radios[] = {
        {IDC_COMMAND_READONLY, "R"}, {IDC_COMMAND_SYSTEM, "S"},   {IDC_COMMAND_HIDDEN, "H"},
        {IDC_COMMAND_DIRECTORY, "D"}, {IDC_COMMAND_ARCHIVE, "A"},
    };
    std::string out;
    for (auto [id, letter] : radios) {
        if (isChecked(dialog, id)) out += letter;
    }
    return out;
}

// What the controls hold: "attribute|ext|command|ext enabled".
std::string controls(HWND dialog) {
    return checkedAttribute(dialog) + "|" + itemText(dialog, IDC_COMMAND_EXT) + "|" +
           itemText(dialog, IDC_COMMAND_TEXT) + "|" +
           (isEnabled(dialog, IDC_COMMAND_EXT) ? "on" : "off");
}

// A visible window that owner owns (a chooser or a message box), or null.
HWND findOwned(HWND owner) {
    struct Search {
        HWND owner;
        HWND found;
    } search{owner, nullptr};
    EnumThreadWindows(
        GetWindowThreadProcessId(owner, nullptr),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (GetWindow(hwnd, GW_OWNER) != s->owner || !IsWindowVisible(hwnd)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForOwned(HWND owner) {
    HWND found = nullptr;
    for (int i = 0; i < 500 && !(found = findOwned(owner)); ++i) Sleep(10);
    return found;
}

void waitUntilGone(HWND window) {
    for (int i = 0; i < 500 && IsWindow(window); ++i) Sleep(10);
}

// False when the chooser stayed open after its OK; it is then cancelled,
// with any message it put up, so the dialog under it can still be closed.
bool closed(HWND chooser) {
    waitUntilGone(chooser);
    if (!IsWindow(chooser)) return true;
    for (int i = 0; i < 10; ++i) {
        HWND message = findOwned(chooser);
        if (!message) break;
        PostMessageA(message, WM_COMMAND, IDCANCEL, 0);
        waitUntilGone(message);
    }
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    waitUntilGone(chooser);
    return false;
}

// Presses a colour button and answers the chooser with red, green, blue.
// False when no chooser appeared.
bool chooseColour(HWND dialog, int button, int red, int green, int blue) {
    press(dialog, button);
    HWND chooser = waitForOwned(dialog);
    if (!chooser) return false;
    setItemText(chooser, ChooserRed, std::to_string(red));
    setItemText(chooser, ChooserGreen, std::to_string(green));
    setItemText(chooser, ChooserBlue, std::to_string(blue));
    press(chooser, IDOK);
    return closed(chooser);
}

// Presses Save or Load and answers the file dialog with a name. Answers the
// folder the file dialog opened in, or "" when it did not take the name.
std::string chooseFile(HWND dialog, int button, const std::string& name) {
    press(dialog, button);
    HWND chooser = waitForOwned(dialog);
    if (!chooser) return "";
    struct Found {
        HWND nameBox = nullptr;
        HWND okButton = nullptr;
    } found;
    EnumChildWindows(
        chooser,
        [](HWND child, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<Found*>(lp);
            char kind[32] = "";
            GetClassNameA(child, kind, sizeof kind);
            if (GetDlgCtrlID(child) == FileNameBox && std::string(kind) == "Edit")
                f->nameBox = child;
            if (GetDlgCtrlID(child) == IDOK && std::string(kind) == "Button") f->okButton = child;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (!found.nameBox || !found.okButton) return "";
    std::string folder = itemText(chooser, 1137);  // the "look in" box
    SendMessageA(found.nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageA(found.okButton, BM_CLICK, 0, 0);
    return closed(chooser) ? folder : "";
}

}  // namespace

TEST(CommandDialog, ListsTheRulesAndASelectedRowFillsTheControls) {
    ScratchDirectory dir;
    ExtTable table = sample();
    const std::string before = table.format();

    std::vector<std::string> columns, listed;
    std::vector<int> widths;
    bool fullRow = false;
    std::string opened, directory, archive, mixed, hidden, backToArchive, afterDirectory;
    int selectedAtOpen = 0;
    bool result = true;
    bool found = drive(
        "COMMAND", [&] { result = runCommandDialog(nullptr, dir.path() + "\\", table); },
        [&](HWND d) {
            for (int c = 0; c < 4; ++c) {
                char title[32] = "";
                LVCOLUMNA column{};
                column.mask = LVCF_TEXT | LVCF_WIDTH;
                column.pszText = title;
                column.cchTextMax = sizeof title;
                SendMessageA(list(d), LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
                columns.push_back(title);
                widths.push_back(column.cx);
            }
            fullRow = (SendMessageA(list(d), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) &
                       LVS_EX_FULLROWSELECT) != 0;
            listed = rows(d);
            selectedAtOpen = selectedRow(d);
            opened = controls(d);

            selectRow(d, 1);
            directory = controls(d);
            selectRow(d, 0);
            archive = controls(d);
            selectRow(d, 3);
            mixed = controls(d);
            click(d, IDC_COMMAND_HIDDEN);
            hidden = controls(d);
            click(d, IDC_COMMAND_ARCHIVE);
            backToArchive = controls(d);
            selectRow(d, 0);
            selectRow(d, 1);  // from an ext rule to an attribute rule
            afterDirectory = controls(d);

            // Edits that Cancel must throw away.
            setItemText(d, IDC_COMMAND_TEXT, "changed.exe");
            click(d, IDC_COMMAND_SET);
            click(d, IDC_COMMAND_DELETE);
            press(d, IDCANCEL);
        });
    ASSERT_TRUE(found);

    EXPECT_EQ(columns, (std::vector<std::string>{"Ext", "Command", "Attrib", "Color"}));
    EXPECT_EQ(widths, (std::vector<int>{30, 170, 40, 30}));
    EXPECT_TRUE(fullRow);
    EXPECT_EQ(listed, (std::vector<std::string>{"TXT|CMD_EDIT|A", "|CMD_NONE|D",
                                                "LZH|CMD_UNPACK|A", "BAK|x.exe|"}));
    EXPECT_EQ(selectedAtOpen, -1);
    EXPECT_EQ(opened, "A|||on");
    EXPECT_EQ(directory, "D||CMD_NONE|off");
    EXPECT_EQ(archive, "A|TXT|CMD_EDIT|on");
    EXPECT_EQ(mixed, "A|BAK|x.exe|on");
    EXPECT_EQ(hidden, "H||x.exe|off");
    EXPECT_EQ(backToArchive, "A||x.exe|on");
    EXPECT_EQ(afterDirectory, "D||CMD_NONE|off");

    EXPECT_FALSE(result);
    EXPECT_EQ(table.format(), before);
    EXPECT_FALSE(fileExists(dir / "Color.tbl"));
}

TEST(CommandDialog, SetReplacesTheSelectedRowOrAppendsAndOkSavesTheTable) {
    ScratchDirectory dir;
    ExtTable table = sample();

    bool textChosen = false, backChosen = false;
    std::vector<std::string> afterReplace, afterHide, afterAppend;
    int selectedAfterAppend = -1;
    std::string appendedControls;
    bool result = false;
    bool found = drive(
        "COMMAND", [&] { result = runCommandDialog(nullptr, dir.path(), table); },
        [&](HWND d) {
            selectRow(d, 0);
            setItemText(d, IDC_COMMAND_TEXT, "notepad.exe $F");
            textChosen = chooseColour(d, IDC_COMMAND_TEXT_COLOUR, 1, 2, 3);
            click(d, IDC_COMMAND_SET);
            afterReplace = rows(d);

            selectRow(d, 2);
            click(d, IDC_COMMAND_HIDDEN);
            click(d, IDC_COMMAND_SET);
            afterHide = rows(d);

            selectRow(d, -1);
            click(d, IDC_COMMAND_ARCHIVE);
            setItemText(d, IDC_COMMAND_EXT, "doc");
            setItemText(d, IDC_COMMAND_TEXT, "");
            backChosen = chooseColour(d, IDC_COMMAND_BACK_COLOUR, 0x10, 0x20, 0x30);
            click(d, IDC_COMMAND_SET);
            afterAppend = rows(d);
            selectedAfterAppend = selectedRow(d);
            appendedControls = controls(d);
            press(d, IDOK);
        });
    ASSERT_TRUE(found);
    EXPECT_TRUE(textChosen);
    EXPECT_TRUE(backChosen);

    EXPECT_EQ(afterReplace[0], "TXT|notepad.exe $F|A");
    EXPECT_EQ(afterHide[2], "|CMD_UNPACK|H");
    EXPECT_EQ(afterAppend.size(), 5u);
    EXPECT_EQ(afterAppend.back(), "DOC|CMD_NONE|A");
    EXPECT_EQ(selectedAfterAppend, 4);
    EXPECT_EQ(appendedControls, "A|DOC|CMD_NONE|on");

    EXPECT_TRUE(result);
    // The new rule kept the text colour of the row shown last (LZH).
    const std::string expected =
        "c0c0c0,0,\"\",0,\"\"\n"
        "ffff,0,\"\",0,\"\"\n"
        "30201,800000,\"TXT\",20,\"notepad.exe $F\"\n"
        "ffff00,0,\"\",10,\"CMD_NONE\"\n"
        "ff00,0,\"\",2,\"CMD_UNPACK\"\n"
        "808080,0,\"BAK\",3,\"x.exe\"\n"
        "ff00,302010,\"DOC\",20,\"CMD_NONE\"\n";
    EXPECT_EQ(readWholeFile(dir / "Color.tbl"), expected);
    EXPECT_EQ(table.format(), expected);
    EXPECT_EQ(table.colours("doc", 0x20), (ColourPair{0x00FF00, 0x302010}));
    EXPECT_EQ(table.colours("lzh", 0x20), table.defaultPair());
    EXPECT_EQ(table.commandFor("txt").command, "notepad.exe $F");
}

TEST(CommandDialog, SpinMovesTheSelectedRowAndDeleteRemovesIt) {
    ScratchDirectory dir;
    ExtTable table = sample();

    std::vector<std::string> afterUp, afterTopUp, afterDown, afterDelete;
    int selectedAfterUp = -1, selectedAfterTopUp = -1, selectedAfterDown = -1,
        selectedAfterDelete = 0;
    bool result = false;
    bool found = drive(
        "COMMAND", [&] { result = runCommandDialog(nullptr, dir.path() + "\\", table); },
        [&](HWND d) {
            selectRow(d, 2);  // LZH
            spin(d, true);
            afterUp = rows(d);
            selectedAfterUp = selectedRow(d);
            spin(d, true);
            spin(d, true);  // already at the top
            afterTopUp = rows(d);
            selectedAfterTopUp = selectedRow(d);
            spin(d, false);
            afterDown = rows(d);
            selectedAfterDown = selectedRow(d);

            selectRow(d, 3);  // BAK
            click(d, IDC_COMMAND_DELETE);
            afterDelete = rows(d);
            selectedAfterDelete = selectedRow(d);
            click(d, IDC_COMMAND_DELETE);  // nothing selected: nothing goes
            press(d, IDOK);
        });
    ASSERT_TRUE(found);

    EXPECT_EQ(afterUp, (std::vector<std::string>{"TXT|CMD_EDIT|A", "LZH|CMD_UNPACK|A",
                                                 "|CMD_NONE|D", "BAK|x.exe|"}));
    EXPECT_EQ(selectedAfterUp, 1);
    EXPECT_EQ(afterTopUp, (std::vector<std::string>{"LZH|CMD_UNPACK|A", "TXT|CMD_EDIT|A",
                                                    "|CMD_NONE|D", "BAK|x.exe|"}));
    EXPECT_EQ(selectedAfterTopUp, 0);
    EXPECT_EQ(afterDown, (std::vector<std::string>{"TXT|CMD_EDIT|A", "LZH|CMD_UNPACK|A",
                                                   "|CMD_NONE|D", "BAK|x.exe|"}));
    EXPECT_EQ(selectedAfterDown, 1);
    EXPECT_EQ(afterDelete, (std::vector<std::string>{"TXT|CMD_EDIT|A", "LZH|CMD_UNPACK|A",
                                                     "|CMD_NONE|D"}));
    EXPECT_EQ(selectedAfterDelete, -1);

    EXPECT_TRUE(result);
    ASSERT_EQ(table.rules().size(), 3u);
    EXPECT_EQ(table.rules()[1].ext, "LZH");
    EXPECT_EQ(readWholeFile(dir / "Color.tbl"), table.format());
}

TEST(CommandDialog, SaveAndLoadUseExtFilesInTheDefaultFolder) {
    ScratchDirectory dir;
    ExtTable table = sample();
    const std::string other =
        "ffffff,0,\"\",0,\"\"\n"
        "ff,0,\"\",0,\"\"\n"
        "ff0000,0,\"C\",20,\"CMD_EDIT\"\n"
        "80,0,\"\",2,\"CMD_NONE\"\n";

    std::string saveFolder, loadFolder;
    std::vector<std::string> afterLoad;
    bool written = false;
    bool result = false;
    bool found = drive(
        "COMMAND", [&] { result = runCommandDialog(nullptr, dir.path() + "\\", table); },
        [&](HWND d) {
            saveFolder = chooseFile(d, IDC_COMMAND_SAVE, "mine");
            written = dir.writeFile("Default\\other.EXT", other);
            loadFolder = chooseFile(d, IDC_COMMAND_LOAD, "other.EXT");
            afterLoad = rows(d);
            press(d, IDOK);
        });
    ASSERT_TRUE(found);

    EXPECT_EQ(saveFolder, "Default");
    EXPECT_EQ(loadFolder, "Default");
    EXPECT_EQ(readWholeFile(dir / "Default\\mine.EXT"), sample().format());
    ASSERT_TRUE(written);
    EXPECT_EQ(afterLoad, (std::vector<std::string>{"C|CMD_EDIT|A", "|CMD_NONE|H"}));
    EXPECT_TRUE(result);
    EXPECT_EQ(readWholeFile(dir / "Color.tbl"), other);
    EXPECT_EQ(table.todayPair(), (ColourPair{0x0000FF, 0}));
}
