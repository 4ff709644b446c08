// The pane's dialogs in the real program: incremental find by prefix and by
// containment, the mask in the title, marks copied as a list, the cursor
// entry's path on the clipboard.
#include <gtest/gtest.h>

#include "commands/command_id.h"
#include "commands/key_map.h"
#include "e2e/vorbin_process.h"
#include "panes/win/find_name_dialog_ids.h"

namespace {
class PaneDialogs : public ::testing::Test {
protected:
    ProgramDirectory program;
    ScratchDirectory tree{"vbdlg"};
    std::unique_ptr<VorbinProcess> vorbin;

    void SetUp() override {
        for (const char* name : {"readme.txt", "board.c", "notes.doc", "zz.bin"})
            ASSERT_TRUE(tree.writeFile(name, name));
        ASSERT_TRUE(writeKeyTable(program, {{VK_F3, false, false, false, CmdFind, ""},
                                            {VK_F4, false, false, false, CmdFindMask, ""},
                                            {VK_F5, false, false, false, CmdFilenameCopy, ""},
                                            {VK_F6, false, false, false, CmdCopySelfilename, ""}}));
        setLastPath(program, tree.path());
        vorbin = std::make_unique<VorbinProcess>(program);
        ASSERT_TRUE(vorbin->waitForWindow());
    }

    bool cursorOn(const std::string& name) {
        return waitUntil([&] { return viewedPath() == tree / name; }, 5000);
    }
};
}  // namespace

TEST_F(PaneDialogs, IncrementalFindByPrefixThenByContainment) {
    vorbin->key(VK_F3);
    HWND find = waitForDialog("Find filename");
    ASSERT_TRUE(find);
    ASSERT_TRUE(typeText(find, "rd"));  // no name begins with "rd"; board.c contains it
    EXPECT_TRUE(cursorOn("board.c")) << viewedPath();
    ASSERT_TRUE(typeKey(find, {VK_ESCAPE}));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(find); }, 3000));

    vorbin->key(VK_F3);
    find = waitForDialog("Find filename");
    ASSERT_TRUE(find);
    ASSERT_TRUE(typeText(find, "re ad"));  // begins with re, contains ad further on
    EXPECT_TRUE(cursorOn("readme.txt")) << viewedPath();
    ASSERT_TRUE(typeKey(find, {VK_RETURN}));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(find); }, 3000));

    vorbin->key(VK_F5);
    EXPECT_TRUE(waitUntil([&] { return clipboardText() == tree / "readme.txt"; }, 3000))
        << clipboardText();
}

TEST_F(PaneDialogs, MaskShowsInTheTitleAndMarkedListGoesToTheClipboard) {
    vorbin->key(VK_F4);
    HWND mask = waitForDialog("Mask");
    ASSERT_TRUE(mask);
    ASSERT_TRUE(replaceText(mask, "*.txt;*.doc"));
    ASSERT_TRUE(typeKey(mask, {VK_RETURN}));
    ASSERT_TRUE(waitUntil(
        [&] { return vorbin->title() == "[Vorbin:0] (*.txt,*.doc) " + tree.path(); }, 5000))
        << vorbin->title();

    // Shown now: "..", then notes.doc and readme.txt by extension.
    vorbin->key(VK_DOWN);
    ASSERT_TRUE(cursorOn("notes.doc")) << viewedPath();
    vorbin->key(VK_SPACE);
    vorbin->key(VK_SPACE);
    ASSERT_TRUE(copyMarkedNames(*vorbin, VK_F6));
    EXPECT_TRUE(waitUntil([&] { return clipboardText() == "notes.doc\r\nreadme.txt\r\n"; }, 3000))
        << clipboardText();
}
