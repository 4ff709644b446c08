// Browsing with the keyboard in the real program: the key map drives the
// cursor, Enter and Backspace walk the tree, a letter jumps, Escape runs its
// own binding, other programs hand over paths and files appear by themselves.
#include <gtest/gtest.h>

#include "commands/command_id.h"
#include "commands/key_map.h"
#include "e2e/vorbin_process.h"
#include "panes/vanished_directory.h"

namespace {
const std::string Shiryou = "\x8e\x91\x97\xbf";  // 資料
const std::string Hyou = "\x95\x5c";             // 表

class PaneKeys : public ::testing::Test {
protected:
    ProgramDirectory program;
    ScratchDirectory tree{"vbtree"};
    std::unique_ptr<VorbinProcess> vorbin;

    void SetUp() override {
        ASSERT_TRUE(tree.makeDirectory(Shiryou));
        ASSERT_TRUE(tree.makeDirectory("sub"));
        ASSERT_TRUE(tree.writeFile(Shiryou + "\\inner.txt", "x"));
        ASSERT_TRUE(tree.writeFile(Hyou + ".txt", "12345"));
        ASSERT_TRUE(tree.writeFile("board.c", "int x;"));
        ASSERT_TRUE(tree.writeFile("readme.txt", "hello"));
        // Escape (25) and F2 get bindings of their own on top of the built-in map.
        ASSERT_TRUE(writeKeyTable(program, {{25, false, false, false, CmdCursorTail, ""},
                                            {VK_F2, false, false, false, CmdVorbinAct1, ""}}));
        setLastPath(program, tree.path());
        vorbin = std::make_unique<VorbinProcess>(program);
        ASSERT_TRUE(vorbin->waitForWindow());
    }

    bool cursorOn(const std::string& name) {
        return waitUntil([&] { return viewedPath() == tree / name; }, 5000);
    }
};

// Removes a tree as a program outside Wine does: a Windows program cannot
// remove a folder that another process shows (it is that process's current
// directory), so Linux's rm does it.
bool removeOutsideWine(const std::string& path) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH] = {};
    if (!unixName || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return false;
    char* name = unixName(wide);
    if (!name) return false;
    // The scratch path holds no blanks; Wine hands the words over as they are.
    std::string line = "/bin/rm -rf " + std::string(name);
    HeapFree(GetProcessHeap(), 0, name);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA("Z:\\bin\\rm", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // The handle of a Unix process does not tell when it ends.
    return waitUntil([&] { return !fileExists(path); }, 10000);
}
}  // namespace

// Shipped sort: directories first, then by extension, then by name.
TEST_F(PaneKeys, CursorMovesEnterBackLetterJumpAndEscape) {
    EXPECT_EQ(vorbin->title(), "[Vorbin:0] (*.*) " + tree.path());
    ASSERT_TRUE(cursorOn("..")) << viewedPath();
    vorbin->key(VK_DOWN);
    ASSERT_TRUE(cursorOn("sub")) << viewedPath();
    vorbin->key(VK_DOWN);
    ASSERT_TRUE(cursorOn(Shiryou)) << viewedPath();

    vorbin->key(VK_RETURN);
    ASSERT_TRUE(waitUntil([&] { return vorbin->title().ends_with(tree / Shiryou); }, 5000))
        << vorbin->title();
    vorbin->key(VK_BACK);
    ASSERT_TRUE(waitUntil([&] { return vorbin->title().ends_with(tree.path()); }, 5000))
        << vorbin->title();
    EXPECT_TRUE(cursorOn(Shiryou)) << "cursor not on the directory just left: " << viewedPath();

    vorbin->key('B');  // unbound: jumps to the next name beginning with b
    EXPECT_TRUE(cursorOn("board.c")) << viewedPath();
    vorbin->key(VK_ESCAPE);  // bound as key 25 to the last entry
    EXPECT_TRUE(cursorOn(Hyou + ".txt")) << viewedPath();
    Sleep(300);
    EXPECT_TRUE(IsWindow(vorbin->window())) << "Escape closed the window";
    EXPECT_EQ(vorbin->title().rfind("[Vorbin:0]", 0), 0u);
}

TEST_F(PaneKeys, HandedOverPathsAndFilesCreatedOutside) {
    std::string target = tree / "sub";
    handOver(*vorbin, target);
    ASSERT_TRUE(waitUntil([&] { return vorbin->title().ends_with(target); }, 5000))
        << vorbin->title();

    // Nothing begins with z yet; then another program makes such a file.
    vorbin->key('Z');
    Sleep(300);
    EXPECT_NE(viewedPath(), target + "\\zeta.txt");
    ASSERT_TRUE(tree.writeFile("sub\\zeta.txt", "new"));
    ASSERT_TRUE(waitUntil(
        [&] {
            vorbin->key('Z');
            Sleep(200);
            return viewedPath() == target + "\\zeta.txt";
        },
        5000))
        << "a file made from outside did not show up; viewing " << viewedPath();
}

TEST_F(PaneKeys, ActivationOfAnotherInstance) {
    VorbinProcess second(program);
    ASSERT_TRUE(second.waitForWindow());
    ASSERT_EQ(second.title().rfind("[Vorbin:1]", 0), 0u);
    // An empty hand-over only activates: instance 0 brings itself to the front.
    handOver(*vorbin, "");
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == vorbin->window(); }, 10000));
    vorbin->key(VK_F2);  // bound to activating instance 1
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == second.window(); }, 5000));
}

TEST_F(PaneKeys, ShownFolderDeletedFromOutsideGoesToTheNearestLeft) {
    ASSERT_TRUE(tree.makeDirectory("t1"));
    ASSERT_TRUE(tree.makeDirectory("t1\\Alpha"));
    ASSERT_TRUE(tree.writeFile("t1\\Alpha\\x.txt", "x"));
    handOver(*vorbin, tree / "t1\\Alpha");
    ASSERT_TRUE(waitUntil([&] { return vorbin->title().ends_with(tree / "t1\\Alpha"); }, 5000));
    // The folder shown and its parent go at once.
    ASSERT_TRUE(removeOutsideWine(tree / "t1"));
    const std::string expected = "[Vorbin:0] (*.*) " + tree.path() + VanishedDirectoryNote;
    EXPECT_TRUE(waitUntil([&] { return vorbin->title() == expected; }, 5000)) << vorbin->title();
    // The pane is alive again: keys move over the listing left.
    ASSERT_TRUE(cursorOn("..")) << viewedPath();
    ASSERT_TRUE(vorbin->key(VK_DOWN));
    EXPECT_TRUE(cursorOn("sub")) << viewedPath();
}
