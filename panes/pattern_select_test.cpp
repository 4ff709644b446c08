#include "panes/pattern_select.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "panes/refresh_marks.h"

namespace {

FileList listOf(const std::vector<std::string>& names) {
    FileList list;
    for (const std::string& n : names) list.append(makeEntry(n));
    return list;
}

std::vector<int> marked(const FileList& list) {
    std::vector<int> out;
    for (std::size_t i = 0; i < list.count(); ++i) {
        if (list[i].marked) out.push_back(static_cast<int>(i));
    }
    return out;
}

}  // namespace

TEST(ClipboardSelect, TextIsCutAtLineBreaksAndCommas) {
    EXPECT_EQ(clipboardPatterns("a.txt\r\nb.txt,,c.txt\n\n,d*\r"),
              (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "d*"}));
    EXPECT_EQ(clipboardPatterns(" x ,y"), (std::vector<std::string>{" x ", "y"}));
    EXPECT_TRUE(clipboardPatterns("\r\n,,\r\n").empty());
    // A two-byte name keeps both bytes.
    EXPECT_EQ(clipboardPatterns("\x95\x5c,\x8a\xbf"), (std::vector<std::string>{"\x95\x5c", "\x8a\xbf"}));
}

TEST(PatternSelect, MarksEveryMatchButNeverTheParent) {
    FileList list = listOf({"..", "a.txt", "b.c", "C.TXT", "d.txt"});
    SelectResult r = markMatches(list, SourceLocal, {"*"});
    EXPECT_EQ(r.lowest, 0);
    EXPECT_EQ(r.newlyMarked, 4u);
    EXPECT_EQ(marked(list), (std::vector<int>{1, 2, 3, 4}));

    list = listOf({"..", "a.txt", "b.c", "C.TXT", "d.txt"});
    r = markMatches(list, SourceLocal, {"c.txt", "*.c", "none"});
    EXPECT_EQ(r.lowest, 2);
    EXPECT_EQ(marked(list), (std::vector<int>{2, 3}));
    EXPECT_EQ(markMatches(list, SourceNetwork, {"*"}).newlyMarked, 0u);
}

TEST(PatternSelect, ManyPlainNamesGiveTheSameMarksAsScanning) {
    // Enough plain names to go through the name index; a case-folded name
    // and a double-byte one must still be found, wildcards still scanned.
    std::vector<std::string> names{"..", "Alpha.txt", "\x95\x5c.txt", "beta", "gamma.c"};
    for (int i = 0; i < 40; ++i) names.push_back("n" + std::to_string(i));
    FileList list = listOf(names);
    std::vector<std::string> patterns{"ALPHA.TXT", "\x95\x5c.txt", "..", "g*.c"};
    for (int i = 0; i < 40; i += 4) patterns.push_back("N" + std::to_string(i));
    const SelectResult r = markMatches(list, SourceLocal, patterns);
    std::vector<int> expected{1, 2, 4};
    for (int i = 0; i < 40; i += 4) expected.push_back(5 + i);
    EXPECT_EQ(marked(list), expected);
    EXPECT_EQ(r.lowest, 0);  // ".." matched though it is not marked
}

TEST(RefreshMarks, NamesAreMarkedAgainAsPatterns) {
    FileList list = listOf({"..", "a[1].txt", "star*.txt", "c.txt"});
    list.setMark(2, true);
    list.setMark(3, true);
    const RefreshMemo memo = rememberForRefresh(list, 3);
    EXPECT_EQ(memo.cursorName, "c.txt");
    EXPECT_EQ(memo.markedNames, (std::vector<std::string>{"star*.txt", "c.txt"}));

    FileList reloaded = listOf({"..", "c.txt", "star1.txt", "star*.txt", "z"});
    EXPECT_EQ(restoreAfterRefresh(reloaded, SourceLocal, memo), 1);
    // "star*.txt" is a pattern and marks what it matches.
    EXPECT_EQ(marked(reloaded), (std::vector<int>{1, 2, 3}));

    FileList emptied;
    EXPECT_EQ(restoreAfterRefresh(emptied, SourceLocal, memo), 0);
}
