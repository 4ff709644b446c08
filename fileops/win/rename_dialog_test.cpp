// The Rename dialog opened for real: what it shows, what it selects, the
// message that keeps it open on a bad name, and what OK and Cancel answer.
#include "fileops/win/rename_dialog.h"

#include <gtest/gtest.h>

#include "fileops/win/rename_dialog_ids.h"
#include "testing/win/dialog_test_driver.h"

using namespace dialog_test;

namespace {

const std::string Hyou = "\x95\x5c";  // trail byte "\"
const std::string Po = "\x83\x7c";    // trail byte "|"
const std::string Shin = "\x90\x56";
const std::string Namae = "\x96\xbc\x91\x4f";  // 名前, how both messages begin

// Types text over the current selection of the new-name field, as a user would.
void typeOverSelection(HWND dialog, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, IDC_RENAME_NEW), EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

// The message box the dialog raised on its own thread: not the dialog itself.
HWND waitForMessageBox(HWND dialog) {
    const std::string caption = "Rename";
    return waitForDialogBesides(GetWindowThreadProcessId(dialog, nullptr), dialog, &caption);
}

// Presses OK on a name the dialog must refuse; answers the message shown
// ("" when none came) and whether the dialog was still open afterwards.
struct Refusal {
    std::string message;
    bool stillOpen = false;
    std::string fieldAfter;
};

Refusal refuse(HWND dialog, const std::string& name) {
    Refusal refusal;
    setItemText(dialog, IDC_RENAME_NEW, name);
    press(dialog, IDOK);
    HWND box = waitForMessageBox(dialog);
    if (!box) return refusal;
    refusal.message = itemText(box, 0xFFFF);
    press(box, IDOK);
    for (int i = 0; i < 300 && IsWindow(box); ++i) Sleep(10);
    refusal.stillOpen = IsWindow(dialog) && IsWindowVisible(dialog) && IsWindowEnabled(dialog);
    refusal.fieldAfter = itemText(dialog, IDC_RENAME_NEW);
    return refusal;
}

struct Outcome {
    bool found = false;
    bool result = false;
    std::string newName = "untouched";
};

// Opens the dialog on oldName, types over the first selection and presses OK.
Outcome typeAndAccept(const std::string& oldName, bool isDirectory, const std::string& typed) {
    Outcome outcome;
    outcome.found = drive(
        "Rename",
        [&] { outcome.result = runRenameDialog(nullptr, oldName, outcome.newName, isDirectory); },
        [&](HWND d) {
            typeOverSelection(d, typed);
            press(d, IDOK);
        });
    return outcome;
}

}  // namespace

TEST(RenameDialog, ShowsTheOldNameAndReturnsTheNewOne) {
    std::string labels, oldField, newField;
    LONG oldStyle = 0;
    bool newHasFocus = false;
    std::string newName;
    bool result = false;
    ASSERT_TRUE(drive(
        "Rename", [&] { result = runRenameDialog(nullptr, "a.txt", newName); },
        [&](HWND d) {
            labels = itemText(d, IDC_RENAME_OLD_LABEL) + "|" + itemText(d, IDC_RENAME_NEW_LABEL) +
                     "|" + itemText(d, IDOK) + "|" + itemText(d, IDCANCEL);
            oldField = itemText(d, IDC_RENAME_OLD);
            newField = itemText(d, IDC_RENAME_NEW);
            oldStyle = GetWindowLongA(GetDlgItem(d, IDC_RENAME_OLD), GWL_STYLE);
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(GetWindowThreadProcessId(d, nullptr), &info);
            newHasFocus = info.hwndFocus == GetDlgItem(d, IDC_RENAME_NEW);
            typeOverSelection(d, "b");
            press(d, IDOK);
        }));
    EXPECT_EQ(labels, "Old Name|&New Name|OK|CANCEL");
    EXPECT_EQ(oldField, "a.txt");
    EXPECT_EQ(newField, "a.txt");
    EXPECT_TRUE(oldStyle & ES_READONLY);
    EXPECT_TRUE(newHasFocus);
    EXPECT_TRUE(result);
    EXPECT_EQ(newName, "b.txt");
}

TEST(RenameDialog, SelectsThePartBeforeTheExtensionOfAFileOnly) {
    Outcome japanese = typeAndAccept(Hyou + Po + ".tar.gz", false, Shin);
    ASSERT_TRUE(japanese.found);
    EXPECT_TRUE(japanese.result);
    EXPECT_EQ(japanese.newName, Shin + ".gz");

    Outcome directory = typeAndAccept("dir.d", true, "x");
    ASSERT_TRUE(directory.found);
    EXPECT_EQ(directory.newName, "x");

    Outcome noDot = typeAndAccept("README", false, "x");
    EXPECT_EQ(noDot.newName, "x");
    Outcome leadingDot = typeAndAccept(".profile", false, "x");
    EXPECT_EQ(leadingDot.newName, "x");
}

TEST(RenameDialog, BadNamesGetAMessageAndTheDialogStaysOpen) {
    Refusal forbidden, empty, dots;
    std::string newName;
    bool result = false;
    ASSERT_TRUE(drive(
        "Rename", [&] { result = runRenameDialog(nullptr, "a.txt", newName); },
        [&](HWND d) {
            forbidden = refuse(d, "a?b.txt");
            if (!forbidden.stillOpen) return;
            empty = refuse(d, "");
            if (!empty.stillOpen) return;
            dots = refuse(d, "..");
            if (!dots.stillOpen) return;
            // Trail bytes "\" and "|" are parts of characters, not separators.
            setItemText(d, IDC_RENAME_NEW, Hyou + Po + ".txt");
            press(d, IDOK);
        }));
    EXPECT_EQ(forbidden.message.substr(0, 4), Namae);
    EXPECT_NE(forbidden.message.find(":\n\\ / : * ? \" < > |"), std::string::npos);
    EXPECT_TRUE(forbidden.stillOpen);
    EXPECT_EQ(forbidden.fieldAfter, "a?b.txt");

    EXPECT_EQ(empty.message.substr(0, 4), Namae);
    EXPECT_NE(empty.message, forbidden.message);
    EXPECT_TRUE(empty.stillOpen);
    EXPECT_FALSE(dots.message.empty());
    EXPECT_TRUE(dots.stillOpen);

    EXPECT_TRUE(result);
    EXPECT_EQ(newName, Hyou + Po + ".txt");
}

TEST(RenameDialog, UnchangedNameAndCancelAnswerNothingToDo) {
    std::string newName = "untouched";
    bool result = true;
    ASSERT_TRUE(drive(
        "Rename", [&] { result = runRenameDialog(nullptr, "a.txt", newName); },
        [](HWND d) { press(d, IDOK); }));
    EXPECT_FALSE(result);
    EXPECT_EQ(newName, "a.txt");  // nothing to do, but no cancel either

    newName = "untouched";
    result = true;
    ASSERT_TRUE(drive(
        "Rename", [&] { result = runRenameDialog(nullptr, "a.txt", newName); },
        [](HWND d) {
            setItemText(d, IDC_RENAME_NEW, "b.txt");
            press(d, IDCANCEL);
        }));
    EXPECT_FALSE(result);
    EXPECT_EQ(newName, "untouched");
}
