#include "fileops/command_run.h"

#include <gtest/gtest.h>

#include <set>

namespace {

MacroContext context() {
    MacroContext c;
    c.cursor = {"readme.txt", ""};
    c.target = {"b c.txt", "BC~1.TXT"};
    c.directory = "C:\\Work Dir";
    c.marked = {{"a.txt", ""}, {"b c.txt", "BC~1.TXT"}};
    return c;
}

DirectoryTest directories(std::set<std::string> dirs) {
    return [dirs](const std::string& path) { return dirs.count(path) > 0; };
}

}  // namespace

TEST(CommandRun, CommaSplitsBeforeExpansion) {
    CommandRun r = planCommandRun("\"C:\\Program Files\\ed.exe\",$D\\$T", context(), true, {});
    EXPECT_EQ(r.action, RunAction::Execute);
    EXPECT_EQ(r.program, "C:\\Program Files\\ed.exe");
    EXPECT_EQ(r.parameters, "C:\\Work Dir\\b c.txt");

    // A name with a "," arriving through a macro does not move the split.
    MacroContext c = context();
    c.cursor.name = "x,y.exe";
    r = planCommandRun("$F,-v", c, true, {});
    EXPECT_EQ(r.program, "x,y.exe");
    EXPECT_EQ(r.parameters, "-v");
}

TEST(CommandRun, GroupNamesStayInOnePartAndExpandOnce) {
    CommandRun r = planCommandRun("lha.exe,a x.lzh $G $G", context(), true, {});
    EXPECT_EQ(r.program, "lha.exe");
    EXPECT_EQ(r.parameters, "a x.lzh \"a.txt\",\"b c.txt\" $G");
    // Without a "," of its own the line is one file name, commas of $G and all.
    r = planCommandRun("view.exe $G", context(), true, directories({}));
    EXPECT_EQ(r.action, RunAction::Execute);
    EXPECT_EQ(r.program, "view.exe \"a.txt\",\"b c.txt\"");
    EXPECT_EQ(r.parameters, "");
}

TEST(CommandRun, InterpreterTakesTheWholeTextEvenWithAComma) {
    CommandRun r = planCommandRun("$S copy $T,$D", context(), true, {});
    EXPECT_EQ(r.action, RunAction::Interpreter);
    EXPECT_EQ(r.program, " copy b c.txt,C:\\Work Dir");
    EXPECT_EQ(r.parameters, "");
}

TEST(CommandRun, DirectoriesNetworkAndFtpPathsMoveThePane) {
    auto dirs = directories({"C:\\Work Dir", "\\\\srv\\share"});
    CommandRun r = planCommandRun("\"$D\"", context(), true, dirs);
    EXPECT_EQ(r.action, RunAction::Jump);
    EXPECT_EQ(r.program, "C:\\Work Dir");
    EXPECT_EQ(planCommandRun("\\\\srv\\share", context(), true, dirs).action, RunAction::Jump);
    EXPECT_EQ(planCommandRun("\\\\computer", context(), true, dirs).action, RunAction::Jump);
    EXPECT_EQ(planCommandRun("//", context(), true, dirs).action, RunAction::Jump);

    MacroContext ftp = context();
    ftp.directory = "|host/pub";
    r = planCommandRun("$D\\sub", ftp, true, dirs);
    EXPECT_EQ(r.action, RunAction::Jump);
    EXPECT_EQ(r.program, "|host/pub/sub");

    r = planCommandRun("\\\\srv\\share\\tool.exe", context(), true, dirs);
    EXPECT_EQ(r.action, RunAction::Execute);
    EXPECT_EQ(r.program, "\\\\srv\\share\\tool.exe");
    r = planCommandRun("$D\\$T", context(), true, dirs);
    EXPECT_EQ(r.action, RunAction::Execute);
    EXPECT_EQ(r.program, "C:\\Work Dir\\b c.txt");
    EXPECT_EQ(r.parameters, "");
}

TEST(CommandRun, FailedExpansionStartsTheTextOnlyOnASingleRun) {
    MacroContext c = context();
    c.marked.assign(400, MacroEntry{std::string(100, 'x'), ""});
    CommandRun r = planCommandRun("tool.exe,$G", c, true, {});
    EXPECT_EQ(r.action, RunAction::Execute);
    EXPECT_EQ(r.program, "tool.exe,$G");
    EXPECT_EQ(r.parameters, "");
    EXPECT_EQ(planCommandRun("tool.exe,$G", c, false, {}).action, RunAction::Nothing);
    EXPECT_EQ(planCommandRun("$S echo $G", c, false, {}).action, RunAction::Nothing);
}

TEST(CommandRun, NetworkContainerPaths) {
    EXPECT_TRUE(isNetworkContainerPath("//"));
    EXPECT_TRUE(isNetworkContainerPath("//WORKGROUP"));
    EXPECT_TRUE(isNetworkContainerPath("\\\\PC01"));
    EXPECT_FALSE(isNetworkContainerPath("\\\\PC01\\share"));
    EXPECT_FALSE(isNetworkContainerPath("\\\\"));
    EXPECT_FALSE(isNetworkContainerPath("C:\\"));
}
