#include "commands/command_id.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>

TEST(CommandId, NumbersOutsideTheTableHaveNoName) {
    for (CommandId id : {0, -1, 32768, 32858, 65535}) {
        EXPECT_EQ(CommandNameFromId(id), "CMD_NONE") << id;
    }
    EXPECT_EQ(CommandNameFromId(32769), "CMD_CURSOR_UP");
    EXPECT_EQ(CommandNameFromId(32857), "CMD_CHANGE_FTPUSER");
}

TEST(CommandId, NamesAreExactAndCaseSensitive) {
    EXPECT_EQ(CommandIdFromName("CMD_COPY"), 32789);
    EXPECT_EQ(CommandIdFromName("CMD_BACK_REFIND"), 32854);
    EXPECT_EQ(CommandIdFromName("CMD_JUMP_LIST"), 32856);
    for (const char* other : {"CMD_NONE", "", "cmd_copy", "Cmd_Copy", "CMD_COPY ", " CMD_COPY",
                              "CMD_CURSOR", "CMD_CURSOR_UPX", "32789"}) {
        EXPECT_EQ(CommandIdFromName(other), 0) << '"' << other << '"';
    }
}

TEST(CommandId, EveryNumberConvertsToADistinctNameAndBack) {
    std::set<std::string> names;
    for (CommandId id = 32769; id <= 32857; ++id) {
        std::string name = CommandNameFromId(id);
        EXPECT_EQ(name.rfind("CMD_", 0), 0u) << id;
        EXPECT_EQ(CommandIdFromName(name), id) << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 89u);
    EXPECT_EQ(CommandCount, 89);
}

TEST(CommandFlags, OnlyPackUnpackAndAttributesAreRefusedOnFtp) {
    std::set<CommandId> refused;
    for (CommandId id = 32768; id <= 32858; ++id) {
        if (refusedOnFtp(id)) refused.insert(id);
    }
    EXPECT_EQ(refused, (std::set<CommandId>{CmdPack, CmdUnpack, CmdAttribute}));
}

TEST(CommandFlags, EmptyListingRunsOnlyTheMarkedCommands) {
    using Ids = std::initializer_list<CommandId>;
    int running = 0;
    for (CommandId id = 32768; id <= 32858; ++id) running += runsOnEmptyListing(id) ? 1 : 0;
    EXPECT_EQ(running, 52);
    for (CommandId id : Ids{CmdSelect, CmdMkdir, CmdUnpack, CmdCopy, CmdAttribute, CmdCursorHead,
                            CmdVorbinAct2, CmdWinmove0, CmdWinmove8, CmdChangeFtpuser}) {
        EXPECT_TRUE(runsOnEmptyListing(id)) << CommandNameFromId(id);
    }
    for (CommandId id : Ids{CmdCursorUp, CmdReturn, CmdPack, CmdDelete, CmdKillfile, CmdHelp,
                            CmdCursorTop, CmdBackRefind, CmdKeyexecute, CmdNone}) {
        EXPECT_FALSE(runsOnEmptyListing(id)) << CommandNameFromId(id);
    }
}
