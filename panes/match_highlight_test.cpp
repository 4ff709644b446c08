#include "panes/match_highlight.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

const std::string Kan = "\x8a\xbf";
const std::string Ji = "\x8e\x9a";

std::vector<CellRun> cellsOf(const std::string& pattern, const std::string& name, ColumnWidths w) {
    std::vector<CellRun> out;
    MatchHighlight(pattern).lineCells(name, w, out);
    return out;
}

}  // namespace

TEST(MatchHighlight, LiteralPartsAreFoundInOrder) {
    EXPECT_EQ(MatchHighlight("re*ad?x\\*y").parts(), (std::vector<std::string>{"re", "ad", "x*y"}));
    EXPECT_TRUE(MatchHighlight("**?").empty());

    std::vector<ByteRange> bytes;
    ASSERT_TRUE(MatchHighlight("*A*a*").matchBytes("banana", bytes));
    EXPECT_EQ(bytes, (std::vector<ByteRange>{{1, 1}, {3, 1}}));
    // Each part is looked for after the end of the one before.
    EXPECT_FALSE(MatchHighlight("*na*ba*").matchBytes("banana", bytes));
    EXPECT_TRUE(bytes.empty());
    // A part never starts on a trail byte: "\x8a\xbf" holds no "\xbf" of its own.
    EXPECT_FALSE(MatchHighlight("*\xbf*").matchBytes(Kan, bytes));
    ASSERT_TRUE(MatchHighlight("*" + Ji + "*").matchBytes("a" + Kan + Ji, bytes));
    EXPECT_EQ(bytes, (std::vector<ByteRange>{{3, 2}}));
}

TEST(MatchHighlight, CellsFollowTheNameAndExtensionFields) {
    // " readme  .txt": the stem from cell 1, the "." at cell 1 + N, the
    // extension after it.
    EXPECT_EQ(cellsOf("re*ad*", "readme.txt", {8, 3}), (std::vector<CellRun>{{1, 4}}));
    EXPECT_EQ(cellsOf("*me.t*", "readme.txt", {8, 3}), (std::vector<CellRun>{{5, 2}, {9, 2}}));
    EXPECT_EQ(cellsOf("*TXT*", "readme.txt", {8, 3}), (std::vector<CellRun>{{10, 3}}));
    // A part missing anywhere: no highlight at all.
    EXPECT_TRUE(cellsOf("re*zz*", "readme.txt", {8, 3}).empty());
    // Text cut off by "~" is not shown, so not highlighted.
    EXPECT_EQ(cellsOf("*long*", "verylongname.txt", {8, 3}), (std::vector<CellRun>{{5, 3}}));
    EXPECT_TRUE(cellsOf("*name*", "verylongname.txt", {8, 3}).empty());
    // An extension shown within the name field runs on.
    EXPECT_EQ(cellsOf("*b.back*", "ab.backup", {8, 3}), (std::vector<CellRun>{{2, 6}}));
    // Two cells for a double-byte character.
    EXPECT_EQ(cellsOf("*" + Ji + "*", "a" + Kan + Ji + ".c", {8, 3}), (std::vector<CellRun>{{4, 2}}));
}
