#include "panes/marking.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// ".." then dirs directories then files files.
FileList listing(int dirs, int files) {
    FileList list;
    list.append(makeEntry("..", AttrDirectory));
    for (int i = 0; i < dirs; ++i) list.append(makeEntry("d" + std::to_string(i), AttrDirectory));
    for (int i = 0; i < files; ++i) list.append(makeEntry("f" + std::to_string(i)));
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

TEST(Marking, RulesForTheParentAndNetworkListings) {
    FileList list = listing(1, 2);
    EXPECT_FALSE(canMark(list, SourceLocal, 0));
    EXPECT_TRUE(canMark(list, SourceLocal, 1));
    EXPECT_TRUE(canMark(list, SourceArchive, 2));
    EXPECT_FALSE(canMark(list, SourceNetwork, 2));
    EXPECT_FALSE(canMark(list, SourceLocal, 9));

    EXPECT_FALSE(toggleMark(list, SourceLocal, 0));
    EXPECT_TRUE(toggleMark(list, SourceLocal, 2));
    EXPECT_TRUE(toggleMark(list, SourceLocal, 3));
    EXPECT_TRUE(toggleMark(list, SourceLocal, 2));
    EXPECT_EQ(marked(list), std::vector<int>{3});
    EXPECT_EQ(list.markedCount(), 1u);
}

TEST(Marking, RangeMarksBetweenEitherEnd) {
    FileList list = listing(2, 3);
    EXPECT_EQ(markRange(list, SourceLocal, 4, 0), 4u);
    EXPECT_EQ(marked(list), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(markRange(list, SourceLocal, 3, 99), 1u);  // 3, 4 already; 5 new
    EXPECT_EQ(list.markedCount(), 5u);
    FileList net = listing(0, 3);
    EXPECT_EQ(markRange(net, SourceNetwork, 0, 3), 0u);
}

TEST(Marking, AllMarkTruthTable) {
    struct Case {
        MarkCounts counts;
        bool value;
    };
    // directories, marked directories, files, marked files.
    const Case cases[] = {
        {{2, 0, 3, 0}, true},   // nothing marked
        {{2, 0, 3, 3}, false},  // every file marked
        {{2, 2, 3, 3}, false},
        {{2, 1, 3, 3}, false},
        {{2, 0, 3, 1}, true},   // some files, no directories
        {{2, 2, 3, 1}, true},   // some files, all directories
        {{2, 1, 3, 1}, false},  // directories partly marked
        {{2, 1, 3, 0}, false},
        {{2, 2, 3, 0}, true},
        {{0, 0, 0, 0}, true},
        {{2, 2, 0, 0}, false},  // no files: all (none) of them are marked
    };
    for (const Case& c : cases) {
        EXPECT_EQ(allMarkValue(c.counts), c.value)
            << c.counts.directories << " " << c.counts.markedDirectories << " " << c.counts.files
            << " " << c.counts.markedFiles;
    }
}

TEST(Marking, AllMarkToggleOverFilesOrEverything) {
    FileList list = listing(2, 3);
    list.setMark(1, true);
    list.setMark(2, true);
    // Directories all marked, no files: mark every file.
    ASSERT_TRUE(toggleAllMarks(list, SourceLocal, false));
    EXPECT_EQ(marked(list), (std::vector<int>{1, 2, 3, 4, 5}));
    // Every file marked: clear the files, keep the directory marks.
    toggleAllMarks(list, SourceLocal, false);
    EXPECT_EQ(marked(list), (std::vector<int>{1, 2}));
    // Directories partly marked and a file marked: clear, directories too.
    list.setMark(2, false);
    list.setMark(3, true);
    toggleAllMarks(list, SourceLocal, true);
    EXPECT_TRUE(marked(list).empty());
    toggleAllMarks(list, SourceLocal, true);
    EXPECT_EQ(marked(list), (std::vector<int>{1, 2, 3, 4, 5}));

    const MarkCounts c = countMarks(list);
    EXPECT_EQ(c.directories, 2u);
    EXPECT_EQ(c.markedFiles, 3u);
    clearMarks(list);
    EXPECT_EQ(list.markedCount(), 0u);
    EXPECT_FALSE(toggleAllMarks(list, SourceNetwork, true));
    EXPECT_EQ(list.markedCount(), 0u);
}
