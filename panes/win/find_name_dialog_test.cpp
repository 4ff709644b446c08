// The find-name dialog opened for real in its three uses: the find use posts
// each change of the text to the pane and sits above the pane's corner; mask
// and select offer the earlier texts; OK keeps the text at the top of them.
#include "panes/win/find_name_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "services/messages.h"
#include "services/win/ini_profile.h"
#include "testing/win/scratch_directory.h"
#include "testing/win/dialog_test_driver.h"
#include "panes/win/find_name_dialog_ids.h"

using namespace dialog_test;

namespace {

const char* const Section = "FIND_NAME";
const std::string Hyou = "\x95\x5c";  // 表: its trail byte is "\"

std::vector<std::string> posts;

LRESULT CALLBACK recordingPane(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    if (message == MsgIncrementalFind) {
        char* text = reinterpret_cast<char*>(lp);
        posts.emplace_back(text);
        delete[] text;
        return 0;
    }
    return DefWindowProcA(hwnd, message, wp, lp);
}

// A hidden stand-in for the pane: it records the find posts it is sent.
struct TestPane {
    HWND hwnd = nullptr;
    TestPane(int left, int top, int right, int bottom) {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA c{};
            c.lpfnWndProc = recordingPane;
            c.hInstance = GetModuleHandleA(nullptr);
            c.lpszClassName = "VorbinTestFindPane";
            registered = RegisterClassA(&c) != 0;
        }
        hwnd = CreateWindowExA(0, "VorbinTestFindPane", "", WS_POPUP, left, top, right - left,
                               bottom - top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        posts.clear();
    }
    ~TestPane() { DestroyWindow(hwnd); }
    // Hands over whatever is still queued.
    void drain() {
        MSG msg;
        while (PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
};

HWND comboEdit(HWND dialog) {
    return FindWindowExA(GetDlgItem(dialog, IDC_FIND_NAME_TEXT), nullptr, "Edit", nullptr);
}

// Keys as the edit receives them; a double-byte character arrives as its
// lead byte and then its trail byte.
void type(HWND dialog, const std::string& keys) {
    HWND edit = comboEdit(dialog);
    for (char c : keys) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

std::vector<std::string> comboItems(HWND dialog) {
    HWND combo = GetDlgItem(dialog, IDC_FIND_NAME_TEXT);
    std::vector<std::string> items;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string item(
            static_cast<std::size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        item.resize(static_cast<std::size_t>(
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(item);
    }
    return items;
}

}  // namespace

TEST(FindNameDialog, FindPostsEveryChangeAsPatternAndSitsAboveThePane) {
    ScratchDirectory dir;
    IniProfile profile(dir / "Vorbin.ini");
    profile.write(Section, "TEXT00", "old0");
    profile.write(Section, "TEXT01", "old1");
    Settings settings(profile, dir.path() + "\\");
    TestPane pane(500, 400, 900, 700);
    ASSERT_NE(pane.hwnd, nullptr);

    std::vector<std::string> items{"not read"};
    RECT placed{};
    std::string text;
    bool result = false;
    bool found = drive(
        "Find filename",
        [&] { result = runFindNameDialog(nullptr, pane.hwnd, FindNameUse::Find, settings, text); },
        [&](HWND d) {
            items = comboItems(d);
            GetWindowRect(d, &placed);
            type(d, "re ad" + Hyou + "\b");
            type(d, "\x81\x40");  // the full-width blank stays as it is
            press(d, IDOK);
        });
    pane.drain();
    ASSERT_TRUE(found);
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(placed.right, 900);
    EXPECT_EQ(placed.bottom, 400);
    EXPECT_GT(placed.right - placed.left, 0);

    const std::vector<std::string> expected{
        "r", "re", "re*", "re*a", "re*ad", "re*ad" + Hyou, "re*ad", "re*ad\x81\x40"};
    EXPECT_EQ(posts, expected);
    EXPECT_TRUE(result);
    EXPECT_EQ(text, "re ad\x81\x40");
    // Only the new text is written: the earlier ones were never read.
    EXPECT_EQ(profile.read(Section, "TEXT00"), "re ad\x81\x40");
    EXPECT_EQ(profile.read(Section, "TEXT01"), "old1");
}

TEST(FindNameDialog, MaskAndSelectOfferEarlierTextsAndPostNothing) {
    ScratchDirectory dir;
    IniProfile profile(dir / "Vorbin.ini");
    profile.write(Section, "TEXT00", "*.txt");
    profile.write(Section, "TEXT01", Hyou + "*.c");
    Settings settings(profile, dir.path() + "\\");
    TestPane pane(500, 400, 900, 700);

    std::string prefilled;
    std::vector<std::string> items;
    std::string text = "*.cpp";
    bool result = false;
    bool found = drive(
        "Mask",
        [&] { result = runFindNameDialog(nullptr, pane.hwnd, FindNameUse::Mask, settings, text); },
        [&](HWND d) {
            prefilled = itemText(d, IDC_FIND_NAME_TEXT);
            items = comboItems(d);
            type(d, "x");
            setItemText(d, IDC_FIND_NAME_TEXT, "*.h " + Hyou);
            press(d, IDOK);
        });
    pane.drain();
    ASSERT_TRUE(found);
    EXPECT_EQ(prefilled, "*.cpp");
    EXPECT_EQ(items, (std::vector<std::string>{"*.txt", Hyou + "*.c"}));
    EXPECT_TRUE(posts.empty());
    EXPECT_TRUE(result);
    EXPECT_EQ(text, "*.h " + Hyou);
    EXPECT_EQ(profile.read(Section, "TEXT00"), "*.h " + Hyou);
    EXPECT_EQ(profile.read(Section, "TEXT01"), "*.txt");
    EXPECT_EQ(profile.read(Section, "TEXT02"), Hyou + "*.c");

    // Select, cancelled: neither the text nor the earlier texts change.
    text.clear();
    ASSERT_TRUE(drive(
        "Select",
        [&] {
            result = runFindNameDialog(nullptr, pane.hwnd, FindNameUse::Select, settings, text);
        },
        [&](HWND d) {
            items = comboItems(d);
            setItemText(d, IDC_FIND_NAME_TEXT, "*.bak");
            press(d, IDCANCEL);
        }));
    EXPECT_EQ(items.size(), 3u);
    EXPECT_FALSE(result);
    EXPECT_EQ(text, "");
    EXPECT_EQ(profile.read(Section, "TEXT00"), "*.h " + Hyou);
    EXPECT_EQ(profile.read(Section, "TEXT03"), "");
}

TEST(FindNameDialog, FindOriginStaysInsideTheWorkArea) {
    const RECT work{0, 0, 1280, 1000};
    const SIZE dialog{300, 80};
    auto origin = [&](RECT pane) {
        POINT p = findDialogOrigin(pane, dialog, work);
        return std::make_pair(p.x, p.y);
    };
    EXPECT_EQ(origin({100, 200, 700, 600}), std::make_pair(400L, 120L));
    // A pane at the top of the screen: the dialog comes down to the work area.
    EXPECT_EQ(origin({100, 30, 700, 600}), std::make_pair(400L, 0L));
    // A pane narrower than the dialog near the left edge, one past the right edge.
    EXPECT_EQ(origin({0, 200, 200, 600}), std::make_pair(0L, 120L));
    EXPECT_EQ(origin({1000, 200, 1500, 600}), std::make_pair(980L, 120L));
}
