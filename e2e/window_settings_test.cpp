// The WINDOW Position dialog and its slots, and Set View reaching a second
// instance, in the real program.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/command_id.h"
#include "e2e/vorbin_process.h"
#include "services/win/ini_profile.h"

namespace {
HWND stripOf(HWND main) { return FindWindowExA(main, nullptr, "#32770", "File Info"); }

std::string ini(const ProgramDirectory& dir, const char* section, const char* key) {
    IniProfile profile(dir / "Vorbin.ini");
    return profile.read(section, key);
}

bool placedAt(HWND window, int left, int top, int width, int height) {
    RECT r;
    GetWindowRect(window, &r);
    return r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height;
}

void setText(HWND dialog, int id, const char* text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// A message box the dialog opened, found by its owner.
HWND ownedBox(HWND dialog) {
    struct Find {
        HWND owner, found = nullptr;
    } f{dialog};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<Find*>(lp);
            char cls[32] = "";
            GetClassNameA(w, cls, sizeof cls);
            if (std::string(cls) == "#32770" && GetWindow(w, GW_OWNER) == f->owner && IsWindowVisible(w)) {
                f->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.found;
}

std::vector<COLORREF> clientPixels(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; y += 3)
        for (int x = 0; x < r.right; x += 3) pixels.push_back(GetPixel(screen, origin.x + x, origin.y + y));
    ReleaseDC(nullptr, screen);
    return pixels;
}
}  // namespace

TEST(WindowSlots, DialogWritesASlotOnceAndSlotsMoveTheWindow) {
    ProgramDirectory dir;
    ASSERT_TRUE(writeKeyTable(dir, {{VK_F11, false, true, false, CmdMoveset, ""},
                                    {'3', false, true, false, CmdWinmove3, ""},
                                    {'4', false, true, false, CmdWinmove4, ""}}));
    WritePrivateProfileStringA("WINDOW_POS", "POS04", "1,0,0,800,600", (dir / "Vorbin.ini").c_str());
    VorbinProcess vorbin(dir);
    ASSERT_TRUE(vorbin.waitForWindow());
    HWND strip = stripOf(vorbin.window());
    ASSERT_TRUE(strip);

    ASSERT_TRUE(vorbin.key(Keystroke{VK_F11, false, true}));
    HWND dialog = waitForDialog("WINDOW Position");
    ASSERT_TRUE(dialog);
    HWND list = GetDlgItem(dialog, 1159);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1) << "only POS04 is stored";
    SendMessageA(GetDlgItem(dialog, 1158), BM_SETCHECK, BST_UNCHECKED, 0);
    setText(dialog, 1088, "30,40,700,500");
    pressButton(dialog, 1167);  // "&3"
    pressButton(dialog, 1167);
    EXPECT_TRUE(waitUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2; }));
    Sleep(200);  // the second press must not add a third row
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);
    pressButton(dialog, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(ini(dir, "WINDOW_POS", "POS03"), "0,30,40,700,500");
    EXPECT_EQ(ini(dir, "WINDOW_POS", "POS04"), "1,0,0,800,600");

    // As a user waits for the dialog to be gone, the keys wait for the list's focus.
    HWND receiver = GetDlgItem(vorbin.window(), 1026);
    EXPECT_TRUE(waitUntil([&] { return focusOf(vorbin.window()) == receiver; }));
    ASSERT_TRUE(vorbin.key(Keystroke{'3', false, true}));
    EXPECT_TRUE(waitUntil([&] { return placedAt(vorbin.window(), 30, 40, 700, 500); }));
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(strip); }));
    ASSERT_TRUE(vorbin.key(Keystroke{'4', false, true}));
    // A slot's 0,0 stays 0,0.
    EXPECT_TRUE(waitUntil([&] { return placedAt(vorbin.window(), 0, 0, 800, 600); }));
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(strip) != FALSE; }));
}

TEST(SetView, RangeCheckAndOkReachesTheSecondInstance) {
    ProgramDirectory dir;
    VorbinProcess first(dir);
    ASSERT_TRUE(first.waitForWindow());
    VorbinProcess second(dir);
    ASSERT_TRUE(second.waitForWindow());
    // Side by side, so the second one's pixels are its own.
    SetWindowPos(first.window(), nullptr, 0, 0, 620, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(second.window(), nullptr, 640, 0, 620, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    HWND secondPane = GetDlgItem(second.window(), 1003);
    Sleep(500);
    const std::vector<COLORREF> before = clientPixels(secondPane);

    ASSERT_TRUE(first.key(VK_F7));
    HWND dialog = waitForDialog("Set View");
    ASSERT_TRUE(dialog);
    setText(dialog, 1164, "120");
    pressButton(dialog, IDOK);
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = ownedBox(dialog)) != nullptr; })) << "no range message";
    pressButton(box, IDOK);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(IsWindow(dialog)) << "120 closed the dialog";

    setText(dialog, 1164, "5");
    setText(dialog, 1049, "10");
    setText(dialog, 1050, "20");
    setText(dialog, 1047, "12");
    pressButton(dialog, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
    // Saved once the dialog has closed.
    EXPECT_TRUE(waitUntil([&] { return ini(dir, "PATH", "FtpSaveCache") == "5"; }));
    EXPECT_EQ(ini(dir, "WINDOW", "FontWide"), "10");
    EXPECT_EQ(ini(dir, "WINDOW", "FontHigh"), "20");
    EXPECT_EQ(ini(dir, "WINDOW", "FileNameLength"), "12");
    EXPECT_TRUE(waitUntil([&] { return clientPixels(secondPane) != before; }))
        << "the second instance kept its old look";
}
