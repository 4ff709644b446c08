// The path history in the real program: steps walk it without reordering it,
// and the last instance's list is in History.tbl when it closes.
#include <gtest/gtest.h>

#include "commands/command_id.h"
#include "e2e/vorbin_process.h"

TEST(History, StepsWalkTheListAndTheFileKeepsItsOrder) {
    ProgramDirectory program;
    ScratchDirectory tree{"vbhist"};
    for (const char* name : {"A", "B", "C", "D"}) ASSERT_TRUE(tree.makeDirectory(name));
    ASSERT_TRUE(writeKeyTable(program, {{VK_F3, false, false, false, CmdHistoryDown, ""},
                                        {VK_F4, false, false, false, CmdHistoryUp, ""}}));
    setLastPath(program, tree / "A");
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    auto at = [&](const char* name) {
        return waitUntil([&] { return vorbin.title().ends_with(tree / name); }, 5000);
    };
    ASSERT_TRUE(at("A"));
    handOver(vorbin, tree / "B");
    ASSERT_TRUE(at("B"));
    handOver(vorbin, tree / "C");
    ASSERT_TRUE(at("C"));
    handOver(vorbin, tree / "D");
    ASSERT_TRUE(at("D"));

    // The start folder came before the history file was read, so the list
    // holds what was visited since: D, C, B.
    vorbin.key(VK_F3);  // older: C
    EXPECT_TRUE(at("C")) << vorbin.title();
    vorbin.key(VK_F3);  // older: B
    EXPECT_TRUE(at("B")) << vorbin.title();
    vorbin.key(VK_F4);  // newer again: C
    EXPECT_TRUE(at("C")) << vorbin.title();

    ASSERT_TRUE(vorbin.close());
    const std::string saved = readWholeFile(program / "History.tbl");
    const std::string expected =
        "0," + tree / "D" + "\r\n1," + tree / "C" + "\r\n2," + tree / "B" + "\r\n";
    const std::string expectedLf =
        "0," + tree / "D" + "\n1," + tree / "C" + "\n2," + tree / "B" + "\n";
    EXPECT_TRUE(saved == expected || saved == expectedLf) << saved;
}
