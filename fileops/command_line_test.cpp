#include "fileops/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// How a started program's runtime reads its command line into arguments: the
// program name up to the next quote, then the backslash-and-quote rules.
std::vector<std::string> argumentsOf(std::string_view line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    std::string program;
    if (i < line.size() && line[i] == '"') {
        for (++i; i < line.size() && line[i] != '"'; ++i) program += line[i];
        ++i;
    } else {
        for (; i < line.size() && line[i] != ' '; ++i) program += line[i];
    }
    args.push_back(program);
    while (true) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i >= line.size()) break;
        std::string arg;
        bool quoted = false;
        while (i < line.size() && (quoted || line[i] != ' ')) {
            std::size_t slashes = 0;
            while (i < line.size() && line[i] == '\\') ++slashes, ++i;
            if (i < line.size() && line[i] == '"') {
                arg.append(slashes / 2, '\\');
                if (slashes % 2) {
                    arg += '"';
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                arg.append(slashes, '\\');
                if (i < line.size() && (quoted || line[i] != ' ')) arg += line[i++];
            }
        }
        args.push_back(arg);
    }
    return args;
}

using Args = std::vector<std::string>;

}  // namespace

TEST(CommandSplit, SplitsAtTheFirstCommaAndTrimsBothParts) {
    CommandSplit s = splitCommandText("notepad.exe,$D\\$T");
    EXPECT_EQ(s.program, "notepad.exe");
    EXPECT_EQ(s.parameters, "$D\\$T");
    EXPECT_TRUE(s.hasComma);

    s = splitCommandText(" \"C:\\Program Files\\x.exe\" , -a,b ");
    EXPECT_EQ(s.program, "C:\\Program Files\\x.exe");
    EXPECT_EQ(s.parameters, "-a,b");

    s = splitCommandText("C:\\tools\\run.exe");
    EXPECT_EQ(s.program, "C:\\tools\\run.exe");
    EXPECT_EQ(s.parameters, "");
    EXPECT_FALSE(s.hasComma);

    s = splitCommandText(",only");
    EXPECT_EQ(s.program, "");
    EXPECT_EQ(s.parameters, "only");
}

TEST(CommandQuoting, ParametersWithABlankAreQuotedOnce) {
    EXPECT_EQ(prepareParameters("C:\\My Docs\\a.txt"), "\"C:\\My Docs\\a.txt\"");
    EXPECT_EQ(prepareParameters("\"C:\\My Docs\\a.txt\" -r"), "\"C:\\My Docs\\a.txt\" -r");
    EXPECT_EQ(prepareParameters("a.txt"), "a.txt");
    EXPECT_EQ(prepareParameters(""), "");
    EXPECT_EQ(quoteArgument("C:\\"), "\"C:\\\\\"");
    // 0x5C ending a double-byte character is no backslash.
    EXPECT_EQ(quoteArgument("C:\\\x95\x5C"), "\"C:\\\x95\x5C\"");
}

TEST(CommandQuoting, ProcessReceivesTheIntendedArguments) {
    auto run = [](std::string_view file, std::string_view params) {
        return argumentsOf(processCommandLine(file, prepareParameters(params)));
    };
    EXPECT_EQ(processCommandLine("C:\\a b\\x.exe", ""), "\"C:\\a b\\x.exe\"");
    EXPECT_EQ(run("C:\\a b\\x.exe", ""), (Args{"C:\\a b\\x.exe"}));
    EXPECT_EQ(run("x.exe", "C:\\My Docs\\a.txt"), (Args{"x.exe", "C:\\My Docs\\a.txt"}));
    EXPECT_EQ(run("x.exe", "C:\\My Docs\\"), (Args{"x.exe", "C:\\My Docs\\"}));
    EXPECT_EQ(run("x.exe", "a.txt"), (Args{"x.exe", "a.txt"}));
    EXPECT_EQ(run("x.exe", "\"C:\\My Docs\\a.txt\" -r"),
              (Args{"x.exe", "C:\\My Docs\\a.txt", "-r"}));
    EXPECT_EQ(run("x.exe", "\"a b\""), (Args{"x.exe", "a b"}));
}

TEST(CommandRoute, ShellStartsForScriptsLinksAndOwnedStarts) {
    for (const char* f : {"go.bat", "C:\\x\\GO.BAT", "a.Lnk", "b.cmd", "c.PIF"}) {
        EXPECT_TRUE(startsThroughShell(f, false)) << f;
    }
    for (const char* f : {"a.exe", "C:\\x.bat\\prog", "run.bat.exe", "bat", "C:\\d\\.bat2"}) {
        EXPECT_FALSE(startsThroughShell(f, false)) << f;
    }
    EXPECT_TRUE(startsThroughShell("a.exe", true));

    ExecuteRequest bat = executeRequest("C:\\a b\\go.bat", "C:\\My Docs", false, "C:\\w");
    EXPECT_EQ(bat.route, StartRoute::Shell);
    EXPECT_EQ(bat.parameters, "\"C:\\My Docs\"");
    EXPECT_EQ(bat.commandLine, "");
    EXPECT_EQ(bat.directory, "C:\\w");
    EXPECT_EQ(bat.wait, WaitMode::None);

    ExecuteRequest exe = executeRequest("C:\\a b\\x.exe", "C:\\My Docs", false, "");
    EXPECT_EQ(exe.route, StartRoute::Process);
    EXPECT_EQ(exe.commandLine, "\"C:\\a b\\x.exe\" \"C:\\My Docs\"");

    ExecuteRequest open = openRequest("doc.txt", "-p", WaitMode::UntilIdle, "");
    EXPECT_EQ(open.route, StartRoute::Shell);
    EXPECT_EQ(open.wait, WaitMode::UntilIdle);
    EXPECT_EQ(open.parameters, "-p");
}

TEST(CommandInterpreter, TextFollowsTheSwitchAndKeepsItsQuotes) {
    EXPECT_EQ(interpreterCommandLine("C:\\WINDOWS\\system32\\cmd.exe", " dir > list.txt"),
              "\"C:\\WINDOWS\\system32\\cmd.exe\" /c dir > list.txt");
    EXPECT_EQ(interpreterCommandLine("", "\"C:\\a b\\x.exe\" \"my file\""),
              "\"cmd.exe\" /c \"\"C:\\a b\\x.exe\" \"my file\"\"");
    ExecuteRequest r = interpreterRequest("", "copy a b", "C:\\w");
    EXPECT_EQ(r.route, StartRoute::Process);
    EXPECT_EQ(r.file, "cmd.exe");
    EXPECT_EQ(r.commandLine, "\"cmd.exe\" /c copy a b");
    EXPECT_EQ(r.wait, WaitMode::UntilEnded);
}

TEST(Parameters, BlankTextIsQuotedOnce) {
    EXPECT_EQ(prepareParameters("a b"), "\"a b\"");
    EXPECT_EQ(prepareParameters("\"a b\""), "\"a b\"");
    EXPECT_EQ(prepareParameters("ab"), "ab");
    EXPECT_EQ(prepareParameters(""), "");
}
