// The key dialog for real: the test thread runs it modally while a second
// thread works its controls the way a user would and presses OK or CANCEL.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <functional>
#include <thread>
#include <vector>

#include "testing/win/scratch_directory.h"
#include "commands/win/key_dialog.h"
#include "commands/win/key_dialog_ids.h"
#include "testing/win/dialog_test_driver.h"

namespace {

const std::string Copy = "\x83\x52\x83\x73\x81\x5b";                 // コピー
const std::string Move = "\x88\xda\x93\xae";                         // 移動
const std::string KeySetting = "\x83\x4c\x81\x5b\x90\xdd\x92\xe8";  // キー設定
const std::string Up = "\x8f\xe3\x82\xd6";                           // 上へ
const std::string Editor = "\x83\x47\x83\x66\x83\x42\x83\x5e";      // エディタ
const std::string Hyou = "\x95\x5c";                                 // 表: trail byte "\"

std::string labelFile() {
    return "CMD_COPY," + Copy + "\r\nCMD_MOVE," + Move + "\r\nCMD_COMMAND_SET, " + KeySetting +
           "\r\nCMD_CURSOR_UP," + Up + "\r\n";
}

KeyBinding bound(int key, bool shift, bool ctrl, bool alt, CommandId command,
                 std::string parameter = {}) {
    return KeyBinding{key, shift, ctrl, alt, command, std::move(parameter)};
}

// --- finding windows of the dialog thread --------------------------------

struct Search {
    HWND owner;
    HWND found;
};

BOOL CALLBACK matchOwned(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<Search*>(lp);
    char className[64] = {};
    GetClassNameA(hwnd, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
    if (GetWindow(hwnd, GW_OWNER) != search->owner) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// A dialog that owner opened, such as the file dialog.
HWND waitForOwned(HWND owner) {
    for (int i = 0; i < 200; ++i) {
        Search search{owner, nullptr};
        EnumThreadWindows(GetWindowThreadProcessId(owner, nullptr), matchOwned,
                          reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    return nullptr;
}

bool waitGone(HWND hwnd) {
    for (int i = 0; i < 200; ++i) {
        if (!IsWindow(hwnd) || !IsWindowVisible(hwnd)) return true;
        Sleep(50);
    }
    return false;
}

BOOL CALLBACK collectDialogs(HWND hwnd, LPARAM lp) {
    char className[64] = {};
    GetClassNameA(hwnd, className, sizeof className);
    if (std::string(className) == "#32770" && IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
    return TRUE;
}

// Whatever a failed script left open is cancelled, innermost first, so the
// test thread's modal loop always returns.
void cancelLeftovers(DWORD thread) {
    for (int i = 0; i < 200; ++i) {
        std::vector<HWND> open;
        EnumThreadWindows(thread, collectDialogs, reinterpret_cast<LPARAM>(&open));
        if (open.empty()) return;
        if (i >= 20) {
            for (HWND hwnd : open) {
                bool ownsAnother = false;
                for (HWND other : open) ownsAnother |= GetWindow(other, GW_OWNER) == hwnd;
                if (!ownsAnother) PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
            }
        }
        Sleep(50);
    }
}

// Runs script on its own thread against the key dialog that the creating
// thread shows next. Unlike dialog_test::drive it also closes the file
// dialogs a failed script leaves open, which would else keep the test waiting.
class DialogScript {
public:
    explicit DialogScript(std::function<void(HWND)> script)
        : uiThread_(GetCurrentThreadId()), worker_([this, script] {
              HWND dialog = dialog_test::waitForDialog(uiThread_, "Command");
              if (dialog) {
                  script(dialog);
              } else {
                  ADD_FAILURE() << "the key dialog did not appear";
              }
              cancelLeftovers(uiThread_);
          }) {}
    ~DialogScript() { worker_.join(); }

private:
    DWORD uiThread_;
    std::thread worker_;
};

// --- reading and working controls -----------------------------------------

using dialog_test::click;
using dialog_test::isChecked;
using dialog_test::isEnabled;
using dialog_test::itemText;
using dialog_test::press;  // for a button that opens a modal dialog
using dialog_test::textOf;

// Replaces the text of a combo box's edit part the way typing does.
void type(HWND dialog, int id, const std::string& text) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(GetDlgItem(dialog, id), &info);
    SendMessageA(info.hwndItem, EM_SETSEL, 0, -1);
    for (char c : text) SendMessageA(info.hwndItem, WM_CHAR, static_cast<unsigned char>(c), 1);
}

int comboCount(HWND dialog, int id) {
    return static_cast<int>(SendMessageA(GetDlgItem(dialog, id), CB_GETCOUNT, 0, 0));
}
std::string comboItem(HWND dialog, int id, int index) {
    char text[512] = {};
    SendMessageA(GetDlgItem(dialog, id), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}
void choose(HWND dialog, int id, int index) {
    HWND box = GetDlgItem(dialog, id);
    SendMessageA(box, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

HWND list(HWND dialog) { return GetDlgItem(dialog, IDC_KEY_LIST); }

std::vector<std::vector<std::string>> rows(HWND dialog) {
    std::vector<std::vector<std::string>> result;
    int count = static_cast<int>(SendMessageA(list(dialog), LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::vector<std::string> cells;
        for (int sub = 0; sub < 5; ++sub) {
            char text[512] = {};
            LVITEMA cell{};
            cell.iSubItem = sub;
            cell.pszText = text;
            cell.cchTextMax = sizeof text;
            SendMessageA(list(dialog), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
            cells.push_back(text);
        }
        result.push_back(cells);
    }
    return result;
}

int selectedRow(HWND dialog) {
    return static_cast<int>(
        SendMessageA(list(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void clickRow(HWND dialog, int row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list(dialog), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

using Row = std::vector<std::string>;

// Answers the file dialog that a posted click opened: types the name, presses
// its OK and waits until it is gone. offered gets the name it proposed.
bool answerFileDialog(HWND owner, const std::string& name, std::string* offered = nullptr) {
    HWND files = waitForOwned(owner);
    if (!files) {
        ADD_FAILURE() << "no file dialog";
        return false;
    }
    HWND nameBox = GetDlgItem(files, cmb13);
    if (!nameBox) nameBox = GetDlgItem(files, edt1);
    if (offered) *offered = textOf(nameBox);
    SendMessageA(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageA(files, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(files, IDOK)));
    if (waitGone(files)) return true;
    ADD_FAILURE() << "the file dialog stayed open";
    return false;
}

class KeyDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.path().empty());
        ASSERT_TRUE(dir.writeFile("Command.TBL", labelFile()));
        programDirectory = dir.path() + "\\";
    }
    ScratchDirectory dir;
    std::string programDirectory;
};

}  // namespace

TEST_F(KeyDialogTest, ListsTheSortedCopyEditsItAndOkWritesKeyTable) {
    KeyMap map({
        bound('C', false, true, false, CmdFilenameCopy),
        bound('C', false, false, false, CmdCopy),
        bound(VK_UP, false, false, false, CmdCursorUp),
        bound(VK_F8, false, false, false, CmdCommandSet),
        bound('M', false, true, true, 0, "notepad.exe $F"),  // both: only a file makes one
        bound(VK_RETURN, true, false, false, CmdReturn),
    });
    const std::string commandLine = "\"C:\\" + Editor + Hyou + ".exe\" \"$F\",x";

    DialogScript script([&](HWND dialog) {
        EXPECT_EQ(textOf(dialog), "Command");
        const std::pair<int, const char*> captions[] = {
            {IDC_KEY_CTRL, "&CTRL"}, {IDC_KEY_ALT, "&ALT"},   {IDC_KEY_SHIFT, "&Shift"},
            {IDC_KEY_FILE, "&File"}, {IDC_KEY_SET, "&Set"},   {IDC_KEY_DEL, "&Del"},
            {IDC_KEY_SAVE, "&Sa&ve"}, {IDC_KEY_LOAD, "&Load"}, {IDOK, "OK"},
            {IDCANCEL, "CANCEL"},
        };
        for (auto [id, caption] : captions) EXPECT_EQ(itemText(dialog, id), caption) << id;

        const char* titles[] = {"Key", "Ctrl", "Alt", "Shift", "Command"};
        const int widths[] = {40, 40, 40, 40, 200};
        for (int c = 0; c < 5; ++c) {
            char text[64] = {};
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
            column.pszText = text;
            column.cchTextMax = sizeof text;
            ASSERT_TRUE(SendMessageA(list(dialog), LVM_GETCOLUMNA, c,
                                     reinterpret_cast<LPARAM>(&column)));
            EXPECT_STREQ(text, titles[c]);
            EXPECT_EQ(column.cx, widths[c]) << titles[c];
            EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, c < 4 ? LVCFMT_CENTER : LVCFMT_LEFT)
                << titles[c];
        }
        EXPECT_TRUE(SendMessageA(list(dialog), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) &
                    LVS_EX_FULLROWSELECT);

        // Key names in the offered order; every command with its label.
        ASSERT_EQ(comboCount(dialog, IDC_KEY_NAME), 90);
        EXPECT_EQ(comboItem(dialog, IDC_KEY_NAME, 0), "Enter");
        EXPECT_EQ(comboItem(dialog, IDC_KEY_NAME, 89), "\\");
        ASSERT_EQ(comboCount(dialog, IDC_KEY_COMMAND), 90);
        EXPECT_EQ(comboItem(dialog, IDC_KEY_COMMAND, 0), "CMD_NONE");
        EXPECT_EQ(comboItem(dialog, IDC_KEY_COMMAND, CmdCopy - 32768), Copy);
        EXPECT_EQ(comboItem(dialog, IDC_KEY_COMMAND, CmdFilenameCopy - 32768),
                  "CMD_FILENAME_COPY");

        // By key code, then without Ctrl before with Ctrl.
        EXPECT_EQ(rows(dialog), (std::vector<Row>{
                                    {"Enter", " ", " ", "o", "CMD_RETURN"},
                                    {"Up", " ", " ", " ", Up},
                                    {"C", " ", " ", " ", Copy},
                                    {"C", "o", " ", " ", "CMD_FILENAME_COPY"},
                                    {"M", "o", "o", " ", "notepad.exe $F"},
                                    {"F8", " ", " ", " ", KeySetting},
                                }));

        // A row fills the key box, the check boxes and the command box.
        clickRow(dialog, 3);
        EXPECT_EQ(itemText(dialog, IDC_KEY_NAME), "C");
        EXPECT_TRUE(isChecked(dialog, IDC_KEY_CTRL));
        EXPECT_FALSE(isChecked(dialog, IDC_KEY_ALT));
        EXPECT_TRUE(isEnabled(dialog, IDC_KEY_SHIFT));
        EXPECT_EQ(itemText(dialog, IDC_KEY_COMMAND), "CMD_FILENAME_COPY");

        // Typing clears the modifiers; a single character takes no Shift.
        type(dialog, IDC_KEY_NAME, "c");
        EXPECT_FALSE(isChecked(dialog, IDC_KEY_CTRL));
        EXPECT_FALSE(isEnabled(dialog, IDC_KEY_SHIFT));
        EXPECT_EQ(itemText(dialog, IDC_KEY_COMMAND), Copy);

        // Ctrl and Alt exclude each other.
        click(dialog, IDC_KEY_CTRL);
        EXPECT_TRUE(isEnabled(dialog, IDC_KEY_SHIFT));
        EXPECT_EQ(itemText(dialog, IDC_KEY_COMMAND), "CMD_FILENAME_COPY");
        click(dialog, IDC_KEY_ALT);
        EXPECT_FALSE(isChecked(dialog, IDC_KEY_CTRL));
        EXPECT_TRUE(isChecked(dialog, IDC_KEY_ALT));
        EXPECT_EQ(itemText(dialog, IDC_KEY_COMMAND), "");

        // Alt+C gets a typed command line and is selected where it sorts in.
        SetWindowTextA(GetDlgItem(dialog, IDC_KEY_COMMAND), commandLine.c_str());
        click(dialog, IDC_KEY_SET);
        ASSERT_EQ(rows(dialog).size(), 7u);
        EXPECT_EQ(rows(dialog)[3], (Row{"C", " ", "o", " ", commandLine}));
        EXPECT_EQ(selectedRow(dialog), 3);

        // Shift+Enter gets a command chosen by its label.
        clickRow(dialog, 0);
        EXPECT_TRUE(isChecked(dialog, IDC_KEY_SHIFT));
        choose(dialog, IDC_KEY_COMMAND, CmdMove - 32768);
        click(dialog, IDC_KEY_SET);
        EXPECT_EQ(rows(dialog)[0], (Row{"Enter", " ", " ", "o", Move}));

        // Del removes the binding of the key and modifiers shown.
        clickRow(dialog, 5);
        EXPECT_EQ(itemText(dialog, IDC_KEY_COMMAND), "notepad.exe $F");
        click(dialog, IDC_KEY_DEL);
        EXPECT_EQ(rows(dialog).size(), 6u);
        EXPECT_EQ(itemText(dialog, IDC_KEY_COMMAND), "");

        click(dialog, IDOK);
    });
    EXPECT_TRUE(runKeyDialog(nullptr, programDirectory, map));

    const std::string expected = " 13,1,0,0,CMD_MOVE,\"\"\r\n"
                                 " 38,0,0,0,CMD_CURSOR_UP,\"\"\r\n"
                                 " 67,0,0,0,CMD_COPY,\"\"\r\n"
                                 " 67,0,0,1,CMD_NONE,\"" + commandLine + "\"\r\n"
                                 " 67,0,1,0,CMD_FILENAME_COPY,\"\"\r\n"
                                 " 119,0,0,0,CMD_COMMAND_SET,\"\"\r\n";  // "% 3d"
    EXPECT_EQ(readWholeFile(dir / "KEY.TBL"), expected);
    KeyMap written;
    ASSERT_TRUE(written.load(dir / "KEY.TBL"));
    EXPECT_EQ(map.bindings(), written.bindings());
}

TEST_F(KeyDialogTest, ForcedKeysStayBoundAndCancelChangesNothing) {
    KeyMap map({
        bound(VK_F8, false, false, false, CmdCommandSet),
        bound('P', false, false, false, CmdPack),
    });
    const KeyMap before = map;

    DialogScript script([&](HWND dialog) {
        // F7, F8 and F9 alone cannot be bound here.
        for (const char* forced : {"F7", "F8", "F9"}) {
            type(dialog, IDC_KEY_NAME, forced);
            EXPECT_FALSE(isEnabled(dialog, IDC_KEY_SET)) << forced;
            EXPECT_FALSE(isEnabled(dialog, IDC_KEY_COMMAND)) << forced;
            EXPECT_TRUE(isEnabled(dialog, IDC_KEY_SHIFT)) << forced;
        }
        EXPECT_EQ(itemText(dialog, IDC_KEY_COMMAND), "");  // F9 is not in this map
        type(dialog, IDC_KEY_NAME, "F8");
        EXPECT_EQ(itemText(dialog, IDC_KEY_COMMAND), KeySetting);
        // Not even by a Set that bypasses the disabled controls.
        SetWindowTextA(GetDlgItem(dialog, IDC_KEY_COMMAND), "calc.exe");
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_KEY_SET, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_KEY_SET)));
        EXPECT_EQ(rows(dialog), (std::vector<Row>{{"P", " ", " ", " ", "CMD_PACK"},
                                                  {"F8", " ", " ", " ", KeySetting}}));

        // With a modifier the key is free.
        click(dialog, IDC_KEY_SHIFT);
        EXPECT_TRUE(isEnabled(dialog, IDC_KEY_SET));
        EXPECT_TRUE(isEnabled(dialog, IDC_KEY_COMMAND));
        EXPECT_EQ(itemText(dialog, IDC_KEY_COMMAND), "");
        type(dialog, IDC_KEY_NAME, "F10");
        EXPECT_TRUE(isEnabled(dialog, IDC_KEY_SET));

        // A text that names no key refuses Set and leaves the rest alone.
        type(dialog, IDC_KEY_NAME, "xyz");
        EXPECT_FALSE(isEnabled(dialog, IDC_KEY_SET));
        EXPECT_FALSE(isEnabled(dialog, IDC_KEY_SHIFT));  // as "x" left it
        EXPECT_TRUE(isEnabled(dialog, IDC_KEY_COMMAND));

        // "?" is the key of "/" on this layout.
        type(dialog, IDC_KEY_NAME, "?");
        EXPECT_TRUE(isEnabled(dialog, IDC_KEY_SET));
        SetWindowTextA(GetDlgItem(dialog, IDC_KEY_COMMAND), "calc.exe");
        click(dialog, IDC_KEY_SET);
        EXPECT_EQ(rows(dialog).back(), (Row{"/", " ", " ", " ", "calc.exe"}));
        EXPECT_EQ(itemText(dialog, IDC_KEY_NAME), "/");

        // Choosing a key from the list keeps the modifiers.
        click(dialog, IDC_KEY_CTRL);
        choose(dialog, IDC_KEY_NAME, 3);  // "Right"
        EXPECT_TRUE(isChecked(dialog, IDC_KEY_CTRL));
        EXPECT_TRUE(isEnabled(dialog, IDC_KEY_SET));

        click(dialog, IDC_KEY_DEL);  // Ctrl+Right is not bound: nothing to remove
        EXPECT_EQ(rows(dialog).size(), 3u);
        click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(runKeyDialog(nullptr, programDirectory, map));
    EXPECT_EQ(map.bindings(), before.bindings());
    EXPECT_FALSE(fileExists(dir / "KEY.TBL"));
}

TEST_F(KeyDialogTest, TheCommandColumnFitsItsLongestText) {
    const char* const longLine =
        "\"C:\\Program Files\\Tools\\a long program name.exe\" /option \"$F\" /other $G";
    KeyMap map({bound('P', false, false, false, CmdPack),
                bound(VK_F4, false, false, false, 0, longLine)});
    int width = 0, needed = 0;
    DialogScript script([&](HWND dialog) {
        width = static_cast<int>(SendMessageA(list(dialog), LVM_GETCOLUMNWIDTH, 4, 0));
        needed = static_cast<int>(SendMessageA(list(dialog), LVM_GETSTRINGWIDTHA, 0,
                                               reinterpret_cast<LPARAM>(longLine)));
        click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(runKeyDialog(nullptr, programDirectory, map));
    EXPECT_GT(needed, 200);
    EXPECT_GT(width, needed);
}

TEST_F(KeyDialogTest, OnlyTheWidthFollowsTheFrame) {
    KeyMap map({bound('A', false, false, false, CmdCopy)});
    DialogScript script([&](HWND dialog) {
        auto rectOf = [&](int id) {
            RECT r;
            GetWindowRect(id ? GetDlgItem(dialog, id) : dialog, &r);
            return r;
        };
        RECT frame = rectOf(0), box = rectOf(IDC_KEY_COMMAND), ok = rectOf(IDOK),
             listRect = rectOf(IDC_KEY_LIST), key = rectOf(IDC_KEY_NAME);
        const int width = frame.right - frame.left, height = frame.bottom - frame.top;

        SetWindowPos(dialog, nullptr, 0, 0, width + 120, height + 80, SWP_NOMOVE | SWP_NOZORDER);
        RECT wider = rectOf(0);
        EXPECT_EQ(wider.right - wider.left, width + 120);
        EXPECT_EQ(wider.bottom - wider.top, height);
        auto widthOf = [](RECT r) { return r.right - r.left; };
        EXPECT_EQ(widthOf(rectOf(IDC_KEY_COMMAND)), widthOf(box) + 120);
        EXPECT_EQ(widthOf(rectOf(IDC_KEY_LIST)), widthOf(listRect) + 120);
        EXPECT_EQ(rectOf(IDOK).left - wider.left, ok.left - frame.left + 120);
        EXPECT_EQ(widthOf(rectOf(IDC_KEY_NAME)), widthOf(key));

        // The top and bottom edges are no sizing border; the sides are.
        auto hitAt = [&](int x, int y) {
            return SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(x, y));
        };
        int middleX = (wider.left + wider.right) / 2, middleY = (wider.top + wider.bottom) / 2;
        EXPECT_EQ(hitAt(middleX, wider.bottom - 1), HTCLIENT);
        EXPECT_EQ(hitAt(wider.left, middleY), HTLEFT);
        EXPECT_EQ(hitAt(wider.right - 1, middleY), HTRIGHT);
        EXPECT_EQ(hitAt(wider.right - 1, wider.bottom - 1), HTRIGHT);

        // Narrowing stops before the buttons run into the check boxes.
        SetWindowPos(dialog, nullptr, 0, 0, width / 2, height, SWP_NOMOVE | SWP_NOZORDER);
        RECT set = rectOf(IDC_KEY_SET), shift = rectOf(IDC_KEY_SHIFT);
        EXPECT_GT(set.left, shift.right);
        EXPECT_LT(widthOf(rectOf(0)), width);
        click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(runKeyDialog(nullptr, programDirectory, map));
}

TEST_F(KeyDialogTest, SaveLoadAndFileGoThroughTheFileDialog) {
    KeyMap map({
        bound('C', false, false, false, CmdCopy),
        bound(VK_UP, false, false, false, CmdCursorUp),
    });
    ASSERT_TRUE(dir.writeFile("tool.exe", "MZ"));
    const std::string saved = dir / "mine.KEY";

    DialogScript script([&](HWND dialog) {
        press(dialog, IDC_KEY_SAVE);
        std::string offered;
        ASSERT_TRUE(answerFileDialog(dialog, dir / "mine", &offered));  // "KEY" is added
        EXPECT_NE(offered.find("Default"), std::string::npos) << offered;
        // The file is written once the file dialog has gone; a message that
        // comes back from the dialog shows the writing is over.
        SendMessageA(dialog, WM_NULL, 0, 0);
        EXPECT_EQ(readWholeFile(saved),
                  " 38,0,0,0,CMD_CURSOR_UP,\"\"\r\n 67,0,0,0,CMD_COPY,\"\"\r\n");

        clickRow(dialog, 0);
        click(dialog, IDC_KEY_DEL);
        ASSERT_EQ(rows(dialog).size(), 1u);

        press(dialog, IDC_KEY_LOAD);
        ASSERT_TRUE(answerFileDialog(dialog, saved));
        EXPECT_EQ(rows(dialog).size(), 2u);

        press(dialog, IDC_KEY_FILE);
        ASSERT_TRUE(answerFileDialog(dialog, dir / "tool.exe"));
        EXPECT_EQ(itemText(dialog, IDC_KEY_COMMAND), dir / "tool.exe");

        click(dialog, IDOK);
    });
    EXPECT_TRUE(runKeyDialog(nullptr, programDirectory, map));
    EXPECT_EQ(readWholeFile(dir / "KEY.TBL"), readWholeFile(saved));
    EXPECT_EQ(map.size(), 2u);
}
