#include "panes/file_list.h"

#include <string>

#include <gtest/gtest.h>

namespace {

FileList listOf(std::initializer_list<const char*> names) {
    FileList list;
    for (const char* n : names) list.append(makeEntry(n));
    return list;
}

}  // namespace

TEST(FileEntry, MakeEntryFillsTheRecord) {
    FileEntry e = makeEntry("data.bin", AttrArchive, 0x123456789ULL, 0xAABBCCDD11223344ULL);
    EXPECT_EQ(e.name(), "data.bin");
    EXPECT_EQ(e.nFileSizeHigh, 0x1u);
    EXPECT_EQ(e.nFileSizeLow, 0x23456789u);
    EXPECT_EQ(e.size(), 0x123456789ULL);
    EXPECT_EQ(e.ftLastWriteTime.value(), 0xAABBCCDD11223344ULL);
    EXPECT_EQ(e.ftCreationTime.value(), 0u);
    EXPECT_EQ(e.dwFileAttributes, AttrArchive);
    EXPECT_EQ(e.marked, 0);
    EXPECT_EQ(e.kind, EntryFile);
}

TEST(FileEntry, LongNamesAreCutWithoutSplittingACharacter) {
    EXPECT_EQ(makeEntry(std::string(300, 'x')).name().size(), 259u);
    // 258 single bytes then a double-byte character: it no longer fits whole.
    std::string name(258, 'y');
    name += "\x95\x5C";
    EXPECT_EQ(makeEntry(name).name(), std::string(258, 'y'));
}

TEST(FileList, CapacityGrowsInMultiplesOfTheBlock) {
    FileList list;
    EXPECT_EQ(list.capacity(), 0u);
    for (int i = 0; i < 48; ++i) list.append(makeEntry("f"));
    EXPECT_EQ(list.capacity(), 48u);
    list.append(list[0]);  // copies out of the storage it is about to move
    EXPECT_EQ(list.capacity(), 96u);
    EXPECT_EQ(list[48].name(), "f");
    for (int i = 49; i < 5000; ++i) {
        list.append(makeEntry("f"));
        ASSERT_EQ(list.capacity() % FileList::Block, 0u);
        ASSERT_GE(list.capacity(), list.count());
        ASSERT_GE(list.entries().capacity(), list.capacity());
    }
    EXPECT_EQ(list.count(), 5000u);
    list.clear();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(list.capacity(), 0u);
}

TEST(FileList, MarkedCountFollowsOnlyChanges) {
    FileList list = listOf({"a", "b", "c"});
    list.setMark(0, true);
    list.setMark(0, true);
    list.setMark(2, true);
    EXPECT_EQ(list.markedCount(), 2u);
    list.setMark(1, false);
    list.setMark(0, false);
    EXPECT_EQ(list.markedCount(), 1u);
    EXPECT_EQ(list[0].marked, 0);
    EXPECT_EQ(list[2].marked, 1);
    list.setMark(7, true);  // out of range: ignored
    EXPECT_EQ(list.markedCount(), 1u);

    FileEntry marked = makeEntry("m");
    marked.marked = 1;
    list.append(marked);
    EXPECT_EQ(list.markedCount(), 2u);
    list.clear();
    EXPECT_EQ(list.markedCount(), 0u);
}

TEST(FileList, FindByNameIgnoresSingleByteCase) {
    FileList list = listOf({"Readme.TXT", "\x83\x41", "readme.txt"});
    EXPECT_EQ(list.findByName("README.txt"), 0);
    EXPECT_EQ(list.findByName("\x83\x41"), 1);
    EXPECT_EQ(list.findByName("\x83\x61"), -1);
    EXPECT_EQ(list.findByName("missing"), -1);
}

TEST(FileList, ReorderAppliesAPermutationAndKeepsMarks) {
    FileList list = listOf({"a", "b", "c"});
    list.setMark(0, true);
    list.reorder({2, 0, 1});
    EXPECT_EQ(list[0].name(), "c");
    EXPECT_EQ(list[1].name(), "a");
    EXPECT_EQ(list[1].marked, 1);
    EXPECT_EQ(list[2].name(), "b");
    EXPECT_EQ(list.markedCount(), 1u);

    list.reorder({0, 0, 1});  // not a permutation
    list.reorder({1, 0});     // wrong length
    EXPECT_EQ(list[0].name(), "c");
    EXPECT_EQ(list[1].name(), "a");
    EXPECT_EQ(list[2].name(), "b");
}
