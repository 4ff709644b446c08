// The Change Drive dialog opened for real: it lists exactly the drives the
// platform reports with the path remembered for each, a letter key of a
// present drive chooses it at once while an absent one is ignored, the
// "Path" column follows the list's width, and the place is kept.
#include "panes/win/change_drive_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/win/ini_profile.h"
#include "testing/win/scratch_directory.h"
#include "panes/win/change_drive_dialog_ids.h"
#include "base/win/list_view.h"
#include "testing/win/dialog_test_driver.h"
#include "panes/win/drive_letters.h"

using namespace dialog_test;

namespace {

const char* const Caption = "Change Drive";

HWND list(HWND dialog) { return GetDlgItem(dialog, IDC_CHANGE_DRIVE_LIST); }

std::string cell(HWND dialog, int row, int column) { return listCellText(list(dialog), row, column); }

int rowCount(HWND dialog) {
    return static_cast<int>(SendMessageA(list(dialog), LVM_GETITEMCOUNT, 0, 0));
}

void selectRow(HWND dialog, int row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list(dialog), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

int columnWidth(HWND dialog, int column) {
    return static_cast<int>(SendMessageA(list(dialog), LVM_GETCOLUMNWIDTH, column, 0));
}

int listWidth(HWND dialog) {
    RECT r;
    GetWindowRect(list(dialog), &r);
    return r.right - r.left;
}

char absentLetter() {
    std::string present = driveLetters();
    for (char c = 'A'; c <= 'Z'; ++c)
        if (present.find(c) == std::string::npos) return c;
    return 0;
}

struct Fixture {
    ScratchDirectory dir;
    IniProfile profile{dir / "Vorbin.ini"};
    Settings settings{profile, dir.path() + "\\"};
    DriveMemory drives;
};

}  // namespace

TEST(ChangeDriveLetters, OneUpperCaseLetterPerSetBitInOrder) {
    EXPECT_EQ(driveLettersOf(0), "");
    EXPECT_EQ(driveLettersOf((1u << 2) | (1u << 25)), "CZ");
    EXPECT_EQ(driveLettersOf(0x03FFFFFFu), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(driveLettersOf(0xFC000000u | 1u), "A");  // bits past Z name no drive
    EXPECT_EQ(driveLetters(), driveLettersOf(GetLogicalDrives()));
}

TEST(ChangeDriveDialog, ListsThePresentDrivesAndAPresentLetterChoosesAtOnce) {
    std::string present = driveLetters();
    ASSERT_NE(present.find('C'), std::string::npos);
    char absent = absentLetter();
    ASSERT_NE(absent, 0);

    Fixture f;
    f.drives.set(3, "C:\\windows\\system32");

    std::vector<std::string> letters, paths;
    std::string pathTitle;
    bool openAfterAbsent = false;
    char chosen = 0;
    bool result = false;
    bool found = drive(
        Caption, [&] { result = runChangeDriveDialog(nullptr, f.settings, f.drives, chosen); },
        [&](HWND d) {
            for (int row = 0; row < rowCount(d); ++row) {
                letters.push_back(cell(d, row, 0));
                paths.push_back(cell(d, row, 1));
            }
            char title[32] = "";
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT;
            column.pszText = title;
            column.cchTextMax = sizeof title;
            SendMessageA(list(d), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
            pathTitle = title;
            // Sent, so it has been handled when the call returns.
            SendMessageA(list(d), WM_KEYDOWN, static_cast<WPARAM>(absent), 0);
            openAfterAbsent = IsWindowVisible(d) != 0;
            PostMessageA(list(d), WM_KEYDOWN, 'C', 0);
        });
    ASSERT_TRUE(found);

    std::vector<std::string> expected;
    for (char c : present) expected.push_back(std::string(1, c));
    EXPECT_EQ(letters, expected);
    ASSERT_EQ(paths.size(), present.size());
    for (std::size_t i = 0; i < present.size(); ++i)
        EXPECT_EQ(paths[i], present[i] == 'C' ? "C:\\windows\\system32" : "") << present[i];
    EXPECT_EQ(pathTitle, "Path");
    EXPECT_TRUE(openAfterAbsent);
    EXPECT_TRUE(result);
    EXPECT_EQ(chosen, 'C');
}

TEST(ChangeDriveDialog, OkAndDoubleClickChooseTheRowCancelChoosesNothing) {
    std::string present = driveLetters();
    ASSERT_GE(present.size(), 2u);
    Fixture f;
    int last = static_cast<int>(present.size()) - 1;

    char chosen = 0;
    bool result = false;
    ASSERT_TRUE(drive(
        Caption, [&] { result = runChangeDriveDialog(nullptr, f.settings, f.drives, chosen); },
        [&](HWND d) {
            selectRow(d, last);
            press(d, IDOK);
        }));
    EXPECT_TRUE(result);
    EXPECT_EQ(chosen, present.back());

    chosen = 0;
    ASSERT_TRUE(drive(
        Caption, [&] { result = runChangeDriveDialog(nullptr, f.settings, f.drives, chosen); },
        [&](HWND d) {
            RECT r{};
            r.left = LVIR_BOUNDS;
            SendMessageA(list(d), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
            LPARAM at = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
            PostMessageA(list(d), WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageA(list(d), WM_LBUTTONUP, 0, at);
            PostMessageA(list(d), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            PostMessageA(list(d), WM_LBUTTONUP, 0, at);
        }));
    EXPECT_TRUE(result);
    EXPECT_EQ(chosen, present.front());

    chosen = 'Q';
    ASSERT_TRUE(drive(
        Caption, [&] { result = runChangeDriveDialog(nullptr, f.settings, f.drives, chosen); },
        [&](HWND d) { press(d, IDCANCEL); }));
    EXPECT_FALSE(result);
    EXPECT_EQ(chosen, 'Q');
}

TEST(ChangeDriveDialog, PathColumnFollowsTheWidthAndThePlaceIsKept) {
    Fixture f;
    int letterWidth = 0, pathBefore = 0, listBefore = 0, pathAfter = 0, listAfter = 0;
    int narrowPath = 0, narrowList = 0;
    ASSERT_TRUE(drive(
        Caption,
        [&] {
            char chosen = 0;
            runChangeDriveDialog(nullptr, f.settings, f.drives, chosen);
        },
        [&](HWND d) {
            letterWidth = columnWidth(d, 0);
            pathBefore = columnWidth(d, 1);
            listBefore = listWidth(d);
            SetWindowPos(d, nullptr, 40, 50, 420, 300, SWP_NOZORDER);
            pathAfter = columnWidth(d, 1);
            listAfter = listWidth(d);
            SetWindowPos(d, nullptr, 0, 0, 250, 300, SWP_NOZORDER | SWP_NOMOVE);
            narrowPath = columnWidth(d, 1);
            narrowList = listWidth(d);
            SetWindowPos(d, nullptr, 40, 50, 420, 300, SWP_NOZORDER);
            press(d, IDCANCEL);
        }));
    EXPECT_EQ(letterWidth, 20);
    EXPECT_EQ(pathBefore, listBefore - 30);
    EXPECT_GT(listAfter, listBefore);
    EXPECT_EQ(pathAfter, listAfter - 30);
    EXPECT_LT(narrowList, listAfter);
    EXPECT_EQ(narrowPath, narrowList - 30);
    EXPECT_EQ(f.profile.read("CHANGE_DRIVE", "WindowPos"), "40,50,420,300");

    RECT reopened{};
    ASSERT_TRUE(drive(
        Caption,
        [&] {
            char chosen = 0;
            runChangeDriveDialog(nullptr, f.settings, f.drives, chosen);
        },
        [&](HWND d) {
            GetWindowRect(d, &reopened);
            press(d, IDCANCEL);
        }));
    EXPECT_EQ(reopened.left, 40);
    EXPECT_EQ(reopened.top, 50);
    EXPECT_EQ(reopened.right - reopened.left, 420);
    EXPECT_EQ(reopened.bottom - reopened.top, 300);
}
