// Reaching remembered places in the real program: a jump key, the previous
// directory, a drive letter in the Change Drive dialog and a name typed in
// the jump list.
#include <gtest/gtest.h>

#include "base/text_file.h"
#include "commands/command_id.h"
#include "e2e/vorbin_process.h"
#include "navigation/win/jump_list_dialog_ids.h"
#include "navigation/win/jump_path_dialog_ids.h"
#include "panes/win/change_drive_dialog_ids.h"

TEST(Navigation, JumpKeyLastPathDriveLetterAndJumpList) {
    ProgramDirectory program;
    ScratchDirectory tree{"vbnav"};
    ASSERT_TRUE(tree.makeDirectory("docs"));
    ASSERT_TRUE(tree.makeDirectory("work"));
    for (const char* name : {"work\\a.txt", "work\\plan.txt", "work\\z.txt"})
        ASSERT_TRUE(tree.writeFile(name, "x"));
    ASSERT_TRUE(writeTextFile(program / "JUMP.TBL", "3," + tree / "work" + "\r\n"));
    ASSERT_TRUE(writeTextFile(program / "JUMPLST.tbl",
                                     "0,0,0,0\r\n120,300\r\n\"My docs\",\"" + tree / "docs" +
                                         "\"\r\n\"Work\",\"" + tree / "work" + "\"\r\n"));
    ASSERT_TRUE(writeKeyTable(program, {{VK_F2, false, false, false, CmdLastpath, ""},
                                        {VK_F3, false, false, false, CmdLogdisk, ""},
                                        {VK_F4, false, false, false, CmdJumpList, ""}}));
    setLastPath(program, tree.path());
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    auto at = [&](const std::string& path) {
        return waitUntil([&] { return vorbin.title().ends_with(path); }, 5000);
    };
    ASSERT_TRUE(at(tree.path()));

    vorbin.key('J');
    HWND jump = waitForDialog("Jump");
    ASSERT_TRUE(jump);
    ASSERT_TRUE(typeKey(jump, {'3'}));
    EXPECT_TRUE(at(tree / "work")) << vorbin.title();

    vorbin.key(VK_F2);  // back where we came from
    EXPECT_TRUE(at(tree.path())) << vorbin.title();

    // Over to another drive, then "c" in the Change Drive dialog comes back
    // to the directory last shown on C:.
    handOver(vorbin, "Z:\\");
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().ends_with(") Z:\\"); }, 5000))
        << vorbin.title();
    vorbin.key(VK_F3);
    HWND drives = waitForDialog("Change Drive");
    ASSERT_TRUE(drives);
    ASSERT_TRUE(typeKey(drives, {'C'}));
    EXPECT_TRUE(at(tree.path())) << vorbin.title();
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(drives); }, 3000));

    vorbin.key(VK_F4);
    HWND list = waitForDialog("Execute / Jump");
    ASSERT_TRUE(list);
    ASSERT_EQ(focusOf(list), GetDlgItem(list, IDC_JUMP_LIST_NAME));
    ASSERT_TRUE(typeText(list, "doc"));
    pressButton(list, IDOK);
    EXPECT_TRUE(at(tree / "docs")) << vorbin.title();

    // A path that names a file: its directory, the cursor on the file.
    std::string file = tree / "work\\plan.txt";
    handOver(vorbin, file);
    EXPECT_TRUE(at(tree / "work")) << vorbin.title();
    EXPECT_TRUE(waitUntil([&] { return viewedPath() == file; }, 5000)) << viewedPath();
}


TEST(Navigation, ShiftKeyStoresThePathAndTheHistoryDialogGoesBack) {
    ProgramDirectory program;
    ScratchDirectory tree{"vbjmp"};
    for (const char* name : {"start", "keep", "other"}) ASSERT_TRUE(tree.makeDirectory(name));
    ASSERT_TRUE(writeTextFile(program / "EXECUTE.TBL", "5," + tree / "start" + "\r\n"));
    ASSERT_TRUE(writeKeyTable(program, {{VK_F5, false, false, false, CmdHistory, ""},
                                        {VK_F6, false, false, false, CmdInputexecute, ""}}));
    setLastPath(program, tree / "start");
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    auto at = [&](const std::string& path) {
        return waitUntil([&] { return vorbin.title().ends_with(path); }, 5000);
    };
    handOver(vorbin, tree / "keep");
    ASSERT_TRUE(at(tree / "keep"));

    // Shift+3 in the key field stores the path shown and writes JUMP.TBL at once.
    vorbin.key('J');
    HWND jump = waitForDialog("Jump");
    ASSERT_TRUE(jump);
    ASSERT_TRUE(typeKey(jump, {'3', true}));
    EXPECT_TRUE(waitUntil(
        [&] { return readWholeFile(program / "JUMP.TBL").find("3," + tree / "keep") != std::string::npos; },
        3000))
        << readWholeFile(program / "JUMP.TBL");
    pressButton(jump, IDCANCEL);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(jump); }, 3000));

    // Later, elsewhere, "J" then "3" goes there.
    handOver(vorbin, tree / "other");
    ASSERT_TRUE(at(tree / "other"));
    vorbin.key('J');
    jump = waitForDialog("Jump");
    ASSERT_TRUE(jump);
    ASSERT_TRUE(typeKey(jump, {'3'}));
    EXPECT_TRUE(at(tree / "keep")) << vorbin.title();

    // The History dialog lists the directories visited, newest first under
    // the keys 0, 1, 2...: "1" is the one before the newest.
    vorbin.key(VK_F5);
    HWND history = waitForDialog("History");
    ASSERT_TRUE(history);
    ASSERT_TRUE(typeKey(history, {'1'}));
    EXPECT_TRUE(at(tree / "other")) << vorbin.title();

    // A text of the Execute table runs as a command text: a directory is jumped to.
    vorbin.key(VK_F6);
    HWND execute = waitForDialog("Execute");
    ASSERT_TRUE(execute);
    ASSERT_TRUE(typeKey(execute, {'5'}));
    EXPECT_TRUE(at(tree / "start")) << vorbin.title();
}

TEST(Navigation, JumpAndExecuteStartFromTheCursorEntry) {
    ProgramDirectory program;
    ScratchDirectory tree{"vbcur"};
    ASSERT_TRUE(tree.makeDirectory("t1"));
    ASSERT_TRUE(tree.makeDirectory("t1\\Alpha"));
    ASSERT_TRUE(tree.makeDirectory("empty"));
    ASSERT_TRUE(writeKeyTable(program, {}));
    setLastPath(program, tree / "t1");
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    ASSERT_TRUE(waitUntil([&] { return viewedPath() == tree / "t1\\.."; }, 5000)) << viewedPath();

    auto pathShown = [&](Keystroke stroke, const char* caption) {
        EXPECT_TRUE(vorbin.key(stroke));
        HWND dialog = waitForDialog(caption);
        if (!dialog) return std::string("no dialog ") + caption;
        char text[1200] = {};
        SendMessageA(GetDlgItem(dialog, IDC_JUMP_PATH), WM_GETTEXT, sizeof text,
                     reinterpret_cast<LPARAM>(text));
        EXPECT_TRUE(typeKey(dialog, {VK_ESCAPE}));
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 3000));
        return std::string(text);
    };
    const Keystroke jump{'J'}, execute{'R', false, true};
    // On "..": the shown directory, "\.." removed.
    EXPECT_EQ(pathShown(jump, "Jump"), tree / "t1");
    ASSERT_TRUE(vorbin.key(VK_DOWN));
    ASSERT_TRUE(waitUntil([&] { return viewedPath() == tree / "t1\\Alpha"; }, 5000));
    EXPECT_EQ(pathShown(jump, "Jump"), tree / "t1\\Alpha");
    EXPECT_EQ(pathShown(execute, "Execute"), tree / "t1\\Alpha");
}
