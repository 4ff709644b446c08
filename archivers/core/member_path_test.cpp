#include "archivers/core/member_path.h"

#include <gtest/gtest.h>

#include <cstring>

#include "archivers/core/command_line.h"
#include "archivers/core/pack_run.h"

namespace arc {
namespace {

TEST(MemberPath, RefusesWhatLeavesTheTargetAndRepairsTheRest) {
    struct Case {
        std::string name;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"a/b.txt", "a/b.txt"},
        {"a\\b.txt", "a/b.txt"},
        {"./a//b/./c", "a/b/c"},
        {"\x95\x5C\\x.txt", "\x95\x5C/x.txt"},           // 表 keeps its 0x5C trail byte
        {"\x83\x5C\x83\x74\x83\x67", "\x83\x5C\x83\x74\x83\x67"},  // ソフト
        {"../evil", std::nullopt},
        {"a/../../evil", std::nullopt},
        {"a/.. /x", std::nullopt},
        {"a/.../x", std::nullopt},
        {"/etc/passwd", std::nullopt},
        {"\\\\server\\share\\x", std::nullopt},
        {"C:\\Windows\\x", std::nullopt},
        {"c:x", std::nullopt},
        {"", std::nullopt},
        {"./", std::nullopt},
        {"dir/", "dir"},
        {"na:b*c?d|e\"f<g>h\x01", "na_b_c_d_e_f_g_h_"},
        {"x/con.txt", "x/_con.txt"},
        {"LPT1", "_LPT1"},
        {"trail. ", "trail"},
        {"bad\x80\xFF", "bad__"},
        {"lone\x82", "lone_"},
    };
    for (const auto& c : cases) EXPECT_EQ(safeMemberPath(c.name), c.expected) << c.name;
}

TEST(MemberPath, SelectionByNameDirectoryOrEverything) {
    struct Case {
        const char* name;
        const char* pattern;
        bool selected;
    };
    const Case cases[] = {
        {"a/b.txt", "", true},          {"a/b.txt", "*", true},       {"a/b.txt", "*.*", true},
        {"a/b.txt", "A\\B.TXT", true},  {"a/b.txt", "a", true},       {"a/b.txt", "a/*", true},
        {"a/b.txt", "a\\*.*", true},    {"ab/c", "a", false},         {"a/b.txt", "b.txt", false},
        {"\x95\x5C/x", "\x95\x5C\\x", true},
    };
    for (const auto& c : cases) EXPECT_EQ(memberSelected(c.name, c.pattern), c.selected) << c.name << " " << c.pattern;
}

TEST(CommandLine, WordsOptionsArchiveAndNames) {
    auto a = parseCommandLine("x -cnr \"C:\\a b\\\x95\x5C.lzh\" \"dir\\x y.txt\" z", {"x", "a", "l", "e"});
    EXPECT_EQ(a.command, "x");
    EXPECT_EQ(a.options, std::vector<std::string>{"-cnr"});
    EXPECT_EQ(a.archive, "C:\\a b\\\x95\x5C.lzh");
    EXPECT_EQ(a.names, (std::vector<std::string>{"dir\\x y.txt", "z"}));
    EXPECT_TRUE(a.hasOption("c"));
    EXPECT_FALSE(a.hasOption("o"));

    auto z = parseCommandLine("-x -o arc.zip", {});
    EXPECT_EQ(z.command, "");
    EXPECT_EQ(z.options, (std::vector<std::string>{"-x", "-o"}));
    EXPECT_EQ(z.archive, "arc.zip");
    EXPECT_TRUE(z.names.empty());

    auto t = parseCommandLine("-zxvf a.tgz -- -dash", {});
    EXPECT_TRUE(t.hasOption("zx"));
    EXPECT_EQ(t.names, std::vector<std::string>{"-dash"});
}

TEST(CommandLine, BufferCutAtCharacterAndTerminated) {
    char buf[6];
    std::memset(buf, 'X', sizeof buf);
    copyToBuffer("abcd\x95\x5Cxyz", buf, sizeof buf);  // the double-byte character does not fit
    EXPECT_STREQ(buf, "abcd");
    copyToBuffer("ab", buf, sizeof buf);
    EXPECT_STREQ(buf, "ab");
    copyToBuffer("abc", buf, 1);
    EXPECT_STREQ(buf, "");
    copyToBuffer("abc", nullptr, 10);  // no buffer: nothing happens
}

TEST(PackRun, Wildcards) {
    EXPECT_TRUE(wildcardMatch("*.*", "noext"));
    EXPECT_TRUE(wildcardMatch("*.TXT", "a.txt"));
    EXPECT_TRUE(wildcardMatch("a?c*", "abcdef"));
    EXPECT_FALSE(wildcardMatch("*.txt", "a.txt.bak"));
    EXPECT_FALSE(wildcardMatch("a?c", "ac"));
}

}  // namespace
}  // namespace arc
