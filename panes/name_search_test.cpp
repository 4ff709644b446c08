#include "panes/name_search.h"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/wildcard.h"
#include "panes/first_letter_jump.h"
#include "base/name_pattern.h"

namespace {

FileList listOf(const std::vector<std::string>& names) {
    FileList list;
    for (const std::string& n : names) list.append(makeEntry(n));
    return list;
}

}  // namespace

TEST(NameSearch, WrapsBothWays) {
    const FileList list = listOf({"a.txt", "b.c", "c.txt", "d.c"});
    EXPECT_EQ(searchListing(list, "*.txt", 1, false), 2);
    EXPECT_EQ(searchListing(list, "*.txt", 3, false), 0);
    EXPECT_EQ(searchListing(list, "*.txt", 2, false), 2);  // the start counts
    EXPECT_EQ(searchListing(list, "*.c", 0, true), 3);
    EXPECT_EQ(searchListing(list, "*.c", 2, true), 1);
    EXPECT_EQ(searchListing(list, "*.h", 2, true), -1);
    EXPECT_EQ(searchListing(list, "*.txt", 4, false), 0);   // one past the end is the first
    EXPECT_EQ(searchListing(list, "*.txt", -1, true), 2);
    EXPECT_EQ(searchListing(FileList{}, "*", 0, false), -1);
    EXPECT_EQ(collectMatches(list, "*.C"), (std::vector<int>{1, 3}));
}

TEST(NameSearch, ComputerNamesMatchWithoutTheirBackslashes) {
    const FileList net = listOf({"\\\\ALPHA", "\\\\BETA", "\\\\BRAVO"});
    EXPECT_EQ(searchListing(net, "b*", 0, false), 1);
    EXPECT_EQ(searchListing(net, "br*", 0, false), 2);
    EXPECT_EQ(effectivePattern(listOf({"x"}), "b*"), "b*");
}

TEST(NameSearch, IncrementalFindPrefixThenContainment) {
    const FileList list = listOf({"..", "readme.txt", "board.c"});
    FindHit hit = incrementalFind(list, "rd", 0);
    EXPECT_EQ(hit.index, 2);
    EXPECT_EQ(hit.pattern, "*rd*");
    hit = incrementalFind(list, findTextPattern("re ad"), 0);
    EXPECT_EQ(hit.index, 1);
    EXPECT_EQ(hit.pattern, "re*ad*");
    // From the cursor on, inclusive.
    EXPECT_EQ(incrementalFind(list, "b", 2).index, 2);
    EXPECT_EQ(incrementalFind(list, "R", 2).index, 1);
    // Empty text finds nothing; a leading wildcard tries only the prefix form.
    EXPECT_EQ(incrementalFind(list, "", 0).index, -1);
    EXPECT_EQ(incrementalFind(list, "?rd", 0).index, -1);
    EXPECT_EQ(incrementalFind(list, "ard", 0).index, 2);
    EXPECT_EQ(incrementalFind(list, "*oa", 0).index, 2);
    EXPECT_EQ(incrementalFind(list, "xyz", 0).index, -1);
}

TEST(NameSearch, RefindStepsOffTheCursorAndWraps) {
    const FileList list = listOf({"a.txt", "b.c", "c.txt", "d.txt"});
    EXPECT_EQ(refindTarget(list, "*.txt*", 0, false), 2);
    EXPECT_EQ(refindTarget(list, "*.txt*", 3, false), 0);  // the last wraps to the first
    EXPECT_EQ(refindTarget(list, "*.txt*", 2, true), 0);
    EXPECT_EQ(refindTarget(list, "*.txt*", 0, true), 3);   // backwards from the first
    EXPECT_EQ(refindTarget(list, "b*", 1, false), 1);      // the only match: back to itself
    EXPECT_EQ(refindTarget(list, "z*", 1, false), -1);
}

TEST(NameSearch, CursorForName) {
    const FileList list = listOf({"Makefile", "main.c", "Main.h"});
    EXPECT_EQ(cursorForName(list, "MAIN.C", 0), 1);
    // The first entry falls back to the pattern search from the cursor.
    EXPECT_EQ(cursorForName(list, "makefile", 2), 0);
    EXPECT_EQ(cursorForName(list, "main.*", 2), 2);
    EXPECT_EQ(cursorForName(list, "gone", 2), -1);
}

TEST(FirstLetterJump, NextNameWithTheLetterAfterTheCursor) {
    const FileList list = listOf({"apple", "Banana", "avocado", "berry", "\\\\PC\\bin", "_x"});
    EXPECT_EQ(firstLetterTarget(list, 0, 'B'), 1);
    EXPECT_EQ(firstLetterTarget(list, 1, 'B'), 3);
    EXPECT_EQ(firstLetterTarget(list, 3, 'b'), 4);  // after the last "\"
    EXPECT_EQ(firstLetterTarget(list, 4, 'B'), 1);  // wrapped
    EXPECT_EQ(firstLetterTarget(list, 2, 'A'), 0);
    EXPECT_EQ(firstLetterTarget(list, 0, 'A'), 2);
    EXPECT_EQ(firstLetterTarget(listOf({"apple"}), 0, 'a'), -1);  // never the cursor itself
    EXPECT_EQ(firstLetterTarget(list, 0, '_'), -1);                 // not a jump key
    EXPECT_TRUE(isJumpKey('@'));
    EXPECT_TRUE(isJumpKey('\\'));
    EXPECT_TRUE(isJumpKey(' '));
    EXPECT_FALSE(isJumpKey('*'));
    EXPECT_FALSE(isJumpKey('\0'));
}
