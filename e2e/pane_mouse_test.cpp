// The mouse in the real pane: a click places the cursor, Shift+click marks a
// range (never ".."), a double click opens a directory.
#include <gtest/gtest.h>

#include "commands/command_id.h"
#include "commands/key_map.h"
#include "e2e/vorbin_process.h"
#include "panes/win/copy_list_dialog_ids.h"

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
    KeyMap map;
    addBuiltInBindings(map);
    map.set({VK_F6, false, false, false, CmdCopySelfilename, ""});
    applyForcedBindings(map);
    ASSERT_TRUE(map.save(program / "KEY.TBL"));
    WritePrivateProfileStringA("PATH", "LastPath", tree.path().c_str(),
                               (program / "Vorbin.ini").c_str());
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    HWND pane = GetDlgItem(vorbin.window(), 1003);

    // Shown: "..", sub, a.txt, b.txt, c.txt.
    click(pane, 3, 0);
    ASSERT_TRUE(waitUntil([&] { return viewedPath() == tree / "b.txt"; }, 5000)) << viewedPath();
    click(pane, 0, MK_SHIFT);
    Sleep(300);
    vorbin.key(VK_F6);
    HWND list = waitForDialog("To Clipborad");
    ASSERT_TRUE(list);
    for (int id : {IDC_COPY_LIST_SIZE, IDC_COPY_LIST_TIME, IDC_COPY_LIST_PATH, IDC_COPY_LIST_TOTAL})
        SendMessageA(GetDlgItem(list, id), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(GetDlgItem(list, IDC_COPY_LIST_FILENAME), BM_SETCHECK, BST_CHECKED, 0);
    pressButton(list, IDOK);
    EXPECT_TRUE(waitUntil([&] { return clipboardText() == "sub\r\na.txt\r\nb.txt\r\n"; }, 3000))
        << clipboardText();

    // A double click arrives as a click followed by the double-click message.
    click(pane, 1, 0);
    click(pane, 1, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(waitUntil([&] { return vorbin.title().ends_with(tree / "sub"); }, 5000))
        << vorbin.title();
}
