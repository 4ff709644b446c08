#include "fileops/exec_command_table.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>

#include "base/text_file.h"

using List = std::vector<std::string>;

TEST(ExecCommandTable, ReadingDropsLineEndsAndEmptyLines) {
    EXPECT_EQ(parseExecCommands("a\n\nnotepad.exe,$T\r\n\r\n\n$S dir\n"),
              (List{"a", "notepad.exe,$T", "$S dir"}));
    // A last line without its line end loses nothing.
    EXPECT_EQ(parseExecCommands("one\ntwo"), (List{"one", "two"}));
    EXPECT_EQ(parseExecCommands("x"), (List{"x"}));
    EXPECT_EQ(parseExecCommands(""), List{});
    // Shift-JIS text is kept byte for byte, a 0x5C trail byte included.
    EXPECT_EQ(parseExecCommands("\x95\x5C\x8E\xA6.exe\n"), (List{"\x95\x5C\x8E\xA6.exe"}));
}

TEST(ExecCommandTable, OverlongLineIsCutWithoutSplittingACharacter) {
    std::string line(998, 'x');
    line += "\x82\xA0";  // would end at byte 1000
    List read = parseExecCommands(line + "\nnext\n");
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0], std::string(998, 'x'));
    EXPECT_EQ(read[1], "next");
    std::string fits(997, 'y');
    fits += "\x82\xA0";
    EXPECT_EQ(parseExecCommands(fits + "\n"), List{fits});
}

TEST(ExecCommandTable, WrittenListReadsBackTheSame) {
    List commands{"CMD_COPY", "notepad.exe,$D\\$T", "$S lha a x.lzh $G"};
    EXPECT_EQ(formatExecCommands(commands), "CMD_COPY\nnotepad.exe,$D\\$T\n$S lha a x.lzh $G\n");

    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("exec_cmd_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string file = (dir / "ExecCmd.tbl").string();
    EXPECT_EQ(loadExecCommands(file), List{});
    ASSERT_TRUE(saveExecCommands(file, commands));
    EXPECT_EQ(loadExecCommands(file), commands);
    ASSERT_TRUE(saveExecCommands(file, {"only"}));
    EXPECT_EQ(readTextFile(file), "only\n");
    std::filesystem::remove_all(dir);
}

TEST(ExecCommandTable, DialogEditsKeepASensibleSelection) {
    List c{"a", "b", "c"};
    EXPECT_EQ(addExecCommand(c, 0, "d"), 3);
    EXPECT_EQ(c, (List{"a", "b", "c", "d"}));
    EXPECT_EQ(addExecCommand(c, 1, ""), 1);
    EXPECT_EQ(addExecCommand(c, -1, "x\ny"), -1);
    EXPECT_EQ(c.size(), 4u);

    EXPECT_EQ(moveExecCommand(c, 3, -1), 2);
    EXPECT_EQ(c, (List{"a", "b", "d", "c"}));
    EXPECT_EQ(moveExecCommand(c, 0, -1), 0);
    EXPECT_EQ(moveExecCommand(c, 3, +1), 3);
    EXPECT_EQ(moveExecCommand(c, 0, +5), 1);
    EXPECT_EQ(c, (List{"b", "a", "d", "c"}));
    EXPECT_EQ(moveExecCommand(c, -1, 1), -1);
    EXPECT_EQ(c, (List{"b", "a", "d", "c"}));

    EXPECT_EQ(deleteExecCommand(c, 1), -1);
    EXPECT_EQ(c, (List{"b", "d", "c"}));
    EXPECT_EQ(deleteExecCommand(c, 7), -1);
    EXPECT_EQ(c.size(), 3u);
}
