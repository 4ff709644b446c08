// The Attribute dialog opened for real: what it shows for one entry and for
// several, a bad time field that keeps it open, and what OK and Cancel answer.
#include "fileops/win/attribute_dialog.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "fileops/win/attribute_dialog_ids.h"
#include "testing/win/dialog_test_driver.h"

using namespace dialog_test;

namespace {

const std::string Hyouji = "\x95\x5c\x8e\xa6.txt";  // 表示.txt
// "分は 0 から 59 の間で入力してください。"
const std::string MinuteMessage =
    "\x95\xaa\x82\xcd 0 \x82\xa9\x82\xe7 59 \x82\xcc\x8a\xd4\x82\xc5\x93\xfc\x97\xcd\x82\xb5"
    "\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42";

constexpr int TimeIds[6] = {IDC_ATTRIBUTE_YEAR, IDC_ATTRIBUTE_MONTH,  IDC_ATTRIBUTE_DAY,
                            IDC_ATTRIBUTE_HOUR, IDC_ATTRIBUTE_MINUTE, IDC_ATTRIBUTE_SECOND};
constexpr int CheckIds[4] = {IDC_ATTRIBUTE_READONLY, IDC_ATTRIBUTE_HIDE, IDC_ATTRIBUTE_ARCHIVE,
                             IDC_ATTRIBUTE_SYSTEM};

FILETIME utcFileTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    st.wSecond = second;
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    return ft;
}

SYSTEMTIME localOf(const FILETIME& utc) {
    FILETIME local;
    SYSTEMTIME st{};
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &st);
    return st;
}

struct Shown {
    std::string name;
    bool checks[4] = {};
    bool timeChecked = true;
    bool subdirectory = false;
    int fields[6] = {};
    bool fieldsEnabled = true;
    bool fieldsEnabledAfterClick = false;
};

void readDialog(HWND d, Shown& shown) {
    shown.name = itemText(d, IDC_ATTRIBUTE_NAME);
    for (int i = 0; i < 4; ++i) shown.checks[i] = isChecked(d, CheckIds[i]);
    shown.timeChecked = isChecked(d, IDC_ATTRIBUTE_TIME);
    shown.subdirectory = isChecked(d, IDC_ATTRIBUTE_SUBDIRECTORY);
    shown.fieldsEnabled = false;
    for (int i = 0; i < 6; ++i) {
        shown.fields[i] = std::atoi(itemText(d, TimeIds[i]).c_str());
        shown.fieldsEnabled |= isEnabled(d, TimeIds[i]) != FALSE;
    }
}

void setTime(HWND d, const char* const (&texts)[6]) {
    for (int i = 0; i < 6; ++i) setItemText(d, TimeIds[i], texts[i]);
}

// A visible box of the thread other than the dialog itself.
HWND waitForBox(DWORD thread, HWND dialog) { return waitForDialogBesides(thread, dialog, nullptr); }

std::string boxText(HWND box) {
    std::string text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM lp) -> BOOL {
            char name[16] = "";
            GetClassNameA(child, name, sizeof name);
            std::string t = textOf(child);
            if (lstrcmpiA(name, "Static") == 0 && !t.empty()) *reinterpret_cast<std::string*>(lp) = t;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

struct Refusal {
    bool boxShown = false;
    std::string text;
    bool dialogStillOpen = false;
    bool focusOnField = false;
};

// Presses OK, answers the box it brings and notes where the focus lands.
Refusal pressOkExpectingRefusal(DWORD thread, HWND d, int expectedFocus) {
    Refusal refusal;
    press(d, IDOK);
    HWND box = waitForBox(thread, d);
    if (!box) return refusal;
    refusal.boxShown = true;
    refusal.text = boxText(box);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    for (int i = 0; i < 300 && IsWindow(box); ++i) Sleep(10);
    HWND wanted = GetDlgItem(d, expectedFocus);
    for (int i = 0; i < 200 && !refusal.focusOnField; ++i) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        refusal.focusOnField = GetGUIThreadInfo(thread, &info) && info.hwndFocus == wanted;
        if (!refusal.focusOnField) Sleep(10);
    }
    refusal.dialogStillOpen = IsWindow(d) && IsWindowVisible(d);
    return refusal;
}

}  // namespace

TEST(AttributeDialog, OneEntryShowsItsBitsAndLocalTimeAndCancelAnswersNothing) {
    FILETIME written = utcFileTime(2019, 3, 14, 15, 9, 26);
    std::vector<AttributeSubject> subjects{{Hyouji, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM,
                                            written}};
    AttributeChoice choice;
    choice.attributes = 0x77;
    bool result = true;
    Shown shown;
    std::string labels;
    ASSERT_TRUE(drive(
        "Attribute", [&] { result = runAttributeDialog(nullptr, subjects, choice); },
        [&](HWND d) {
            readDialog(d, shown);
            for (int id : CheckIds) labels += itemText(d, id) + "|";
            labels += itemText(d, IDC_ATTRIBUTE_TIME) + "|" +
                      itemText(d, IDC_ATTRIBUTE_SUBDIRECTORY) + "|" + itemText(d, IDOK) + "|" +
                      itemText(d, IDCANCEL);
            click(d, IDC_ATTRIBUTE_TIME);
            for (int id : TimeIds) shown.fieldsEnabledAfterClick |= isEnabled(d, id) != FALSE;
            press(d, IDCANCEL);
        }));
    EXPECT_EQ(labels, "&Readonly|&Hide|&Archive|&System|&Time|S&ubdirectory|OK|CANCEL");
    EXPECT_EQ(shown.name, Hyouji);
    EXPECT_TRUE(shown.checks[0]);
    EXPECT_FALSE(shown.checks[1]);
    EXPECT_FALSE(shown.checks[2]);
    EXPECT_TRUE(shown.checks[3]);
    EXPECT_TRUE(shown.subdirectory);
    EXPECT_FALSE(shown.timeChecked);
    EXPECT_FALSE(shown.fieldsEnabled);
    EXPECT_TRUE(shown.fieldsEnabledAfterClick);
    SYSTEMTIME local = localOf(written);
    const int expected[6] = {local.wYear, local.wMonth,  local.wDay,
                             local.wHour, local.wMinute, local.wSecond};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(shown.fields[i], expected[i]) << i;

    EXPECT_FALSE(result);
    EXPECT_EQ(choice.attributes, 0x77u);
}

TEST(AttributeDialog, SeveralEntriesShowTagfilesArchiveAndNowAndOkAnswersTheBoxes) {
    std::vector<AttributeSubject> subjects{
        {"a.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, utcFileTime(2001, 1, 1, 0, 0, 0)},
        {Hyouji, FILE_ATTRIBUTE_SYSTEM, utcFileTime(2002, 2, 2, 0, 0, 0)}};
    FILETIME before;
    GetSystemTimeAsFileTime(&before);
    AttributeChoice choice;
    choice.setTime = true;
    bool result = false;
    Shown shown;
    ASSERT_TRUE(drive(
        "Attribute", [&] { result = runAttributeDialog(nullptr, subjects, choice); },
        [&](HWND d) {
            readDialog(d, shown);
            click(d, IDC_ATTRIBUTE_ARCHIVE);  // off
            click(d, IDC_ATTRIBUTE_HIDE);     // on
            click(d, IDC_ATTRIBUTE_SUBDIRECTORY);
            // Never checked: a nonsense time must not stop OK.
            setItemText(d, IDC_ATTRIBUTE_MINUTE, "99");
            press(d, IDOK);
        }));
    FILETIME after;
    GetSystemTimeAsFileTime(&after);

    EXPECT_EQ(shown.name, "TAGFILES");
    EXPECT_FALSE(shown.checks[0] || shown.checks[1] || shown.checks[3]);
    EXPECT_TRUE(shown.checks[2]);
    EXPECT_TRUE(shown.subdirectory);
    // The fields show the moment the dialog opened, to the second.
    SYSTEMTIME from = localOf(before);
    SYSTEMTIME to = localOf(after);
    auto key = [](int y, int mo, int d, int h, int mi, int s) {
        return ((((y * 100LL + mo) * 100 + d) * 100 + h) * 100 + mi) * 100 + s;
    };
    long long seen = key(shown.fields[0], shown.fields[1], shown.fields[2], shown.fields[3],
                         shown.fields[4], shown.fields[5]);
    EXPECT_GE(seen, key(from.wYear, from.wMonth, from.wDay, from.wHour, from.wMinute, from.wSecond));
    EXPECT_LE(seen, key(to.wYear, to.wMonth, to.wDay, to.wHour, to.wMinute, to.wSecond));

    ASSERT_TRUE(result);
    EXPECT_EQ(choice.attributes, DWORD{FILE_ATTRIBUTE_HIDDEN});
    EXPECT_FALSE(choice.setTime);
    EXPECT_FALSE(choice.recurse);
}

TEST(AttributeDialog, BadTimeFieldKeepsTheDialogOpenWithFocusThereUntilFixed) {
    std::vector<AttributeSubject> subjects{
        {Hyouji, FILE_ATTRIBUTE_ARCHIVE, utcFileTime(2010, 5, 6, 7, 8, 9)}};
    DWORD thread = GetCurrentThreadId();
    AttributeChoice choice;
    bool result = false;
    Refusal badMinute;
    Refusal noSuchDay;
    ASSERT_TRUE(drive(
        "Attribute", [&] { result = runAttributeDialog(nullptr, subjects, choice); },
        [&](HWND d) {
            click(d, IDC_ATTRIBUTE_TIME);
            click(d, IDC_ATTRIBUTE_READONLY);
            setTime(d, {"2021", "2", "3", "4", "60", "6"});
            badMinute = pressOkExpectingRefusal(thread, d, IDC_ATTRIBUTE_MINUTE);
            if (!badMinute.dialogStillOpen) return;
            setTime(d, {"2021", "2", "30", "4", "7", "6"});
            noSuchDay = pressOkExpectingRefusal(thread, d, IDC_ATTRIBUTE_DAY);
            if (!noSuchDay.dialogStillOpen) return;
            setItemText(d, IDC_ATTRIBUTE_DAY, "3");
            press(d, IDOK);
        }));
    EXPECT_TRUE(badMinute.boxShown);
    EXPECT_EQ(badMinute.text, MinuteMessage);
    EXPECT_TRUE(badMinute.dialogStillOpen);
    EXPECT_TRUE(badMinute.focusOnField);
    EXPECT_TRUE(noSuchDay.boxShown);
    EXPECT_FALSE(noSuchDay.text.empty());
    EXPECT_NE(noSuchDay.text, MinuteMessage);
    EXPECT_TRUE(noSuchDay.dialogStillOpen);
    EXPECT_TRUE(noSuchDay.focusOnField);

    ASSERT_TRUE(result);
    EXPECT_EQ(choice.attributes, DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE});
    EXPECT_TRUE(choice.setTime);
    EXPECT_TRUE(choice.recurse);
    SYSTEMTIME local = localOf(choice.time);
    EXPECT_EQ(local.wYear, 2021);
    EXPECT_EQ(local.wMonth, 2);
    EXPECT_EQ(local.wDay, 3);
    EXPECT_EQ(local.wHour, 4);
    EXPECT_EQ(local.wMinute, 7);
    EXPECT_EQ(local.wSecond, 6);
}
