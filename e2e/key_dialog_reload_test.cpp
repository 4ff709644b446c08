// The key dialog's OK writes KEY.TBL and every other running instance takes
// the new map at once.
#include <gtest/gtest.h>

#include "commands/command_id.h"
#include "commands/key_map.h"
#include "e2e/vorbin_process.h"

TEST(KeyDialog, OkIsPickedUpByAnotherRunningInstance) {
    ProgramDirectory program;
    ScratchDirectory tree{"vbkey"};
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) ASSERT_TRUE(tree.writeFile(name, "x"));
    setLastPath(program, tree.path());
    KeyMap plain;
    addBuiltInBindings(plain);
    applyForcedBindings(plain);
    ASSERT_TRUE(plain.save(program / "KEY.TBL"));

    VorbinProcess first(program);  // instance 0: F2 unbound
    ASSERT_TRUE(first.waitForWindow());
    ASSERT_TRUE(waitUntil([&] { return viewedPath() == tree / ".."; }, 5000)) << viewedPath();

    KeyMap extended = plain;
    extended.set({VK_F2, false, false, false, CmdCursorTail, ""});
    ASSERT_TRUE(extended.save(program / "KEY.TBL"));
    VorbinProcess second(program);  // instance 1 reads F2 as "last entry"
    ASSERT_TRUE(second.waitForWindow());
    ASSERT_EQ(second.title().rfind("[Vorbin:1]", 0), 0u);

    first.key(VK_F2);
    Sleep(500);
    EXPECT_EQ(viewedPath(), tree / "..") << "F2 was bound before the reload";

    second.key(VK_F8);
    HWND dialog = waitForDialog("Command");
    ASSERT_TRUE(dialog);
    pressButton(dialog, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 5000));

    ASSERT_TRUE(waitUntil(
        [&] {
            first.key(VK_F2);
            Sleep(200);
            return viewedPath() == tree / "c.txt";
        },
        5000))
        << "instance 0 did not reload the key map: " << viewedPath();
}
