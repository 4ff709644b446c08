// The mouse in the real pane: a click places the cursor, Shift+click marks a
// range (never ".."), a double click opens a directory.
#include <gtest/gtest.h>

#include "commands/command_id.h"
#include "commands/key_map.h"
#include "e2e/vorbin_process.h"

namespace {
constexpr int LineHeight = 16;  // the shipped font

POINT row(int n) { return {20, n * LineHeight + LineHeight / 2}; }
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
    ASSERT_TRUE(clickAt(pane, row(3)));
    ASSERT_TRUE(waitUntil([&] { return viewedPath() == tree / "b.txt"; }, 5000)) << viewedPath();
    ASSERT_TRUE(clickAt(pane, row(0), false, true));
    ASSERT_TRUE(copyMarkedNames(vorbin, VK_F6));
    EXPECT_TRUE(waitUntil([&] { return clipboardText() == "sub\r\na.txt\r\nb.txt\r\n"; }, 3000))
        << clipboardText();

    ASSERT_TRUE(clickAt(pane, row(1), true));
    EXPECT_TRUE(waitUntil([&] { return vorbin.title().ends_with(tree / "sub"); }, 5000))
        << vorbin.title();
}
