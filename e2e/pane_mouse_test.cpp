// The mouse in the real pane: a click places the cursor, Shift+click marks a
// range (never ".."), a double click opens a directory.
#include <gtest/gtest.h>

#include "commands/command_id.h"
#include "commands/key_map.h"
#include "e2e/vorbin_process.h"

namespace {
constexpr int LineHeight = 16;  // the shipped font

void click(HWND pane, int row, WPARAM keys, UINT down = WM_LBUTTONDOWN) {
    LPARAM at = MAKELPARAM(20, row * LineHeight + LineHeight / 2);
    PostMessageA(pane, down, MK_LBUTTON | keys, at);
    PostMessageA(pane, WM_LBUTTONUP, keys, at);
}
}  // namespace

TEST(PaneMouse, ClickShiftClickRangeAndDoubleClick) {
    ProgramDirectory program;
    ScratchDirectory tree{"vbmouse"};
    ASSERT_TRUE(tree.makeDirectory("sub"));
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) ASSERT_TRUE(tree.writeFile(name, "x"));
    ASSERT_TRUE(writeKeyTable(program, {{VK_F6, false, false, false, CmdCopySelfilename, ""}}));
    setLastPath(program, tree.path());
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    HWND pane = GetDlgItem(vorbin.window(), 1003);

    // Shown: "..", sub, a.txt, b.txt, c.txt.
    click(pane, 3, 0);
    ASSERT_TRUE(waitUntil([&] { return viewedPath() == tree / "b.txt"; }, 5000)) << viewedPath();
    click(pane, 0, MK_SHIFT);
    Sleep(300);
    ASSERT_TRUE(copyMarkedNames(vorbin, VK_F6));
    EXPECT_TRUE(waitUntil([&] { return clipboardText() == "sub\r\na.txt\r\nb.txt\r\n"; }, 3000))
        << clipboardText();

    // A double click arrives as a click followed by the double-click message.
    click(pane, 1, 0);
    click(pane, 1, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(waitUntil([&] { return vorbin.title().ends_with(tree / "sub"); }, 5000))
        << vorbin.title();
}
