#include "viewer/directory_text.h"
#include "viewer/directory_tree.h"

#include <gtest/gtest.h>

#include <map>

namespace {
const std::string B = "\x84\xa5";  // ├
const std::string L = "\x84\xa4";  // └
const std::string S = "\x84\xa0";  // │

TEST(DirectoryText, HeaderRuleAndEntriesInRows) {
    std::vector<FileEntry> entries = {
        makeEntry("zeta.txt", AttrArchive), makeEntry(".", AttrDirectory),
        makeEntry("..", AttrDirectory),     makeEntry("Sub", AttrDirectory),
        makeEntry("alpha.c", AttrArchive),  makeEntry("beta.c", AttrArchive),
        makeEntry("a_very_long_file_name.txt", AttrArchive),
    };
    // 50 columns: two entries of 23 cells to a row.
    const std::string text = directoryText("C:\\w", entries, 50);
    const std::string expected =
        "[C:\\w]\n" + std::string(50, '_') + "\n"
        "[..                   ][Sub                  ]\n"
        " alpha           .c     beta            .c    \n"
        " a_very_long_fil~.txt   zeta            .txt  \n";
    EXPECT_EQ(text, expected);
    // Fewer than 21 columns still shows one entry to a row.
    const std::string narrow = directoryText("C:\\w", {makeEntry("a", 0), makeEntry("b", 0)}, 10);
    EXPECT_EQ(narrow.substr(narrow.find("\n", 8) + 1),
              " a                     \n b                     \n");
}

TEST(DirectoryTree, ChosenChildFirstAtEachLevel) {
    const std::map<std::string, std::vector<TreeChild>> disk = {
        {"C:\\", {{"x", ""}, {"a", ""}, {"y", ""}}},
        {"C:\\a", {{"c", ""}, {"LONGNAME", "LONGNA~1"}, {".", ""}, {"..", ""}}},
        {"C:\\a\\LONGNAME", {{"p", ""}, {"q", ""}}},
        {"C:\\a\\LONGNA~1", {{"p", ""}, {"q", ""}}},
    };
    const auto list = [&](const std::string& level) {
        const auto found = disk.find(level);
        return found == disk.end() ? std::vector<TreeChild>{} : found->second;
    };
    struct Case {
        const char* path;
        std::vector<std::string> lines;
        std::vector<std::string> paths;
    };
    const Case cases[] = {
        {"C:\\a\\LONGNA~1",  // reached by its short name
         {"C:", B + "a", S + B + "LONGNAME", S + S + B + "p", S + S + L + "q", S + L + "c", B + "x",
          L + "y"},
         {"C:", "C:\\a", "C:\\a\\LONGNAME", "C:\\a\\LONGNA~1\\p", "C:\\a\\LONGNA~1\\q", "C:\\a\\c",
          "C:\\x", "C:\\y"}},
        {"C:\\y", {"C:", B + "y", B + "a", L + "x"}, {"C:", "C:\\y", "C:\\a", "C:\\x"}},
        {"C:\\", {"C:", B + "x", B + "a", L + "y"}, {"C:", "C:\\x", "C:\\a", "C:\\y"}},
        {"C:\\gone\\deeper", {"C:", B + "x", B + "a", L + "y"}, {"C:", "C:\\x", "C:\\a", "C:\\y"}},
    };
    for (const Case& c : cases) {
        const DirectoryTree tree = buildTree(c.path, list);
        EXPECT_EQ(tree.lines, c.lines) << c.path;
        EXPECT_EQ(tree.paths, c.paths) << c.path;
    }
    // The last child at a level leaves blanks, not a stem, below it.
    const DirectoryTree tree = buildTree("C:\\a", [](const std::string& level) {
        return level == "C:\\" ? std::vector<TreeChild>{{"a", ""}}
                               : std::vector<TreeChild>{{"k", ""}};
    });
    EXPECT_EQ(tree.text(), "C:\n" + L + "a\n  " + L + "k\n");
}

TEST(DirectoryTree, PartsOfLocalAndNetworkPaths) {
    EXPECT_EQ(treeParts("\\\\srv\\share\\d"), (std::vector<std::string>{"\\\\srv", "share", "d"}));
    EXPECT_EQ(treeParts("C:\\\x95\x5c\\x"), (std::vector<std::string>{"C:", "\x95\x5c", "x"}));
    EXPECT_EQ(treeParts("C:\\"), (std::vector<std::string>{"C:"}));
}
}  // namespace
