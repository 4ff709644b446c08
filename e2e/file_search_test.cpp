// The file search as a user meets it: Shift+Ctrl+F in Vorbin opens it at the
// pane's folder, a typed pattern finds the files in the subfolders, and Enter
// on a result brings Vorbin there with the cursor on the file.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "e2e/vorbin_process.h"
#include "filesearch/win/quorvane_ids.h"

namespace {
// The caption of the file search window, in code page 932.
const char* const SearchCaption = "\x83\x74\x83\x40\x83\x43\x83\x8b\x8c\x9f\x8d\xf5" " - Quorvane";

// GetWindowText does not reach a control of another process; WM_GETTEXT does.
std::string itemText(HWND dialog, int id) {
    char text[1024] = "";
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}
}  // namespace

TEST(FileSearch, ShiftCtrlFFindsFilesBelowThePaneAndHandsOneToVorbin) {
    ProgramDirectory program;
    ScratchDirectory tree{"vbfind"};
    // 表 ends in the byte of the path separator; a blank in a folder name.
    const std::string deep = "sub a\\\x95\x5c";
    ASSERT_TRUE(tree.makeDirectory("sub a"));
    ASSERT_TRUE(tree.makeDirectory(deep));
    ASSERT_TRUE(tree.writeFile("top.txt", "1"));
    ASSERT_TRUE(tree.writeFile("sub a\\mid.TXT", "22"));
    ASSERT_TRUE(tree.writeFile(deep + "\\deep.txt", "333"));
    ASSERT_TRUE(tree.writeFile(deep + "\\other.bin", "4"));
    setLastPath(program, tree.path());
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(") " + tree.path()); }));

    ASSERT_TRUE(vorbin.key(Keystroke{'F', true, true}));
    // A program of its own to start: on a busy machine that takes seconds.
    HWND search = waitForDialog(SearchCaption, 20000);
    ASSERT_NE(search, nullptr);
    // The window may be found before it has filled its fields.
    EXPECT_TRUE(waitUntil([&] { return itemText(search, IDC_QV_FOLDER) == tree.path(); }))
        << itemText(search, IDC_QV_FOLDER);

    // The window opens with the focus in the pattern field.
    ASSERT_TRUE(waitUntil([&] { return focusOf(search) == GetDlgItem(search, IDC_QV_PATTERN); }));
    ASSERT_TRUE(replaceText(search, "*.txt"));
    ASSERT_TRUE(typeKey(search, Keystroke{VK_RETURN}));
    const std::string threeFound = "3 \x8c\xc2\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb5\x82\xbd";
    ASSERT_TRUE(waitUntil([&] { return itemText(search, IDC_QV_STATUS).starts_with(threeFound); }))
        << itemText(search, IDC_QV_STATUS);
    HWND list = GetDlgItem(search, IDC_QV_RESULTS);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
    ASSERT_TRUE(waitUntil([&] { return focusOf(search) == list; }));

    // Files come before subfolders: the third result is the deepest file.
    ASSERT_TRUE(typeKey(search, Keystroke{VK_DOWN}));
    ASSERT_TRUE(typeKey(search, Keystroke{VK_DOWN}));
    ASSERT_TRUE(typeKey(search, Keystroke{VK_RETURN}));
    EXPECT_TRUE(waitUntil([&] { return vorbin.title().ends_with(") " + tree / deep); }))
        << vorbin.title();
    EXPECT_TRUE(waitUntil([&] { return viewedPath() == tree / deep + "\\deep.txt"; }))
        << viewedPath();

    // Escape closes it when no search runs.
    ASSERT_TRUE(typeKey(search, Keystroke{VK_ESCAPE}));
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(search); }));
}
