#include "panes/listing_sort.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;
constexpr uint64_t Second = 10'000'000;

Names namesOf(const FileList& list) {
    Names names;
    for (const FileEntry& e : list.entries()) names.emplace_back(e.name());
    return names;
}

FileEntry file(const char* name, uint64_t size = 0, uint64_t time = 0, uint32_t attr = AttrArchive) {
    return makeEntry(name, attr, size, time);
}

FileEntry dir(const char* name) { return makeEntry(name, AttrDirectory); }

SortKeys noKeys() {
    SortKeys k;
    k.fileName = k.extension = k.time = k.attribute = k.size = SortItem{};
    return k;
}

SortItem on(int priority, bool down = false) { return SortItem{priority, down, true}; }

FileList listOf(std::initializer_list<FileEntry> entries) {
    FileList list;
    for (const FileEntry& e : entries) list.append(e);
    return list;
}

}  // namespace

TEST(SortWeight, PowerOfTwoWithSign) {
    EXPECT_EQ(sortWeight(SortItem{3, false, false}), 0);
    EXPECT_EQ(sortWeight(on(0)), 0);
    EXPECT_EQ(sortWeight(on(0, true)), 0);
    EXPECT_EQ(sortWeight(on(1)), 2);
    EXPECT_EQ(sortWeight(on(5)), 32);
    EXPECT_EQ(sortWeight(on(3, true)), -8);
    EXPECT_EQ(sortWeight(on(-3)), -8);
}

TEST(ListingSort, DotDotComesFirstWhateverTheKeys) {
    SortKeys keys = noKeys();
    keys.fileName = on(1, true);
    keys.size = on(2);
    keys.tagFile = true;
    FileList list = listOf({file("a", 1), dir("zz"), dir(".."), dir("\x83\x41")});
    list.setMark(1, true);
    sortListing(list, keys);
    EXPECT_EQ(list[0].name(), "..");

    EXPECT_LT(compareEntries(dir(".."), dir("zz"), keys), 0);
    EXPECT_GT(compareEntries(file("a"), dir(".."), keys), 0);
}

TEST(ListingSort, NoKeysKeepEnumerationOrder) {
    FileList list = listOf({file("c"), dir("b"), file("a"), dir("..")});
    sortListing(list, noKeys());
    EXPECT_EQ(namesOf(list), (Names{"c", "b", "a", ".."}));

    // Switched on at priority 0 still weighs nothing.
    SortKeys zero = noKeys();
    zero.fileName = on(0);
    sortListing(list, zero);
    EXPECT_EQ(namesOf(list), (Names{"c", "b", "a", ".."}));
}

TEST(ListingSort, DirectoriesBeforeFilesEvenAgainstTheKeys) {
    SortKeys keys = noKeys();
    keys.fileName = on(5, true);
    FileList list = listOf({file("z"), dir("a"), file("b"), dir("y")});
    sortListing(list, keys);
    EXPECT_EQ(namesOf(list), (Names{"y", "a", "z", "b"}));
}

TEST(ListingSort, ExtensionThenNameGroupsByExtension) {
    SortKeys keys = noKeys();
    keys.extension = on(2);
    keys.fileName = on(1);
    FileList list = listOf({file("b.txt"), file("Readme"), file("c.doc"), file("a.TXT"),
                            file("a"), file("b.DOC"), dir("sub.txt")});
    sortListing(list, keys);
    EXPECT_EQ(namesOf(list),
              (Names{"sub.txt", "a", "Readme", "b.DOC", "c.doc", "a.TXT", "b.txt"}));
}

TEST(ListingSort, NamesCompareFoldedToLowerCaseAndDoubleByteExactly) {
    SortKeys keys = noKeys();
    keys.fileName = on(1);
    // "_" sorts before letters once they are folded to lower case; a trail
    // byte "A" (0x41) is not folded, so "\x83\x41" comes before "\x83\x61".
    FileList list = listOf({file("\x83\x61"), file("B"), file("\x83\x41"), file("_x"), file("a")});
    sortListing(list, keys);
    EXPECT_EQ(namesOf(list), (Names{"_x", "a", "B", "\x83\x41", "\x83\x61"}));
}

TEST(ListingSort, DownReversesOnlyItsItem) {
    SortKeys keys = noKeys();
    keys.extension = on(2, true);
    keys.fileName = on(1);
    FileList list = listOf({file("b.c"), file("a.h"), file("a.c"), file("b.h")});
    sortListing(list, keys);
    EXPECT_EQ(namesOf(list), (Names{"a.h", "b.h", "a.c", "b.c"}));
}

TEST(ListingSort, NegativePriorityReverses) {
    SortKeys keys = noKeys();
    keys.fileName = on(-1);
    FileList list = listOf({file("b"), file("c"), file("a")});
    sortListing(list, keys);
    EXPECT_EQ(namesOf(list), (Names{"c", "b", "a"}));
}

TEST(ListingSort, TagFileOrdersMarkedDirsDirsMarkedFilesFiles) {
    SortKeys keys = noKeys();
    keys.tagFile = true;
    keys.fileName = on(1);
    FileList list = listOf({file("f1"), dir("d1"), file("f2"), dir("d2"), file("f3"), dir("d3")});
    list.setMark(1, true);  // d1
    list.setMark(2, true);  // f2
    list.setMark(5, true);  // d3
    sortListing(list, keys);
    EXPECT_EQ(namesOf(list), (Names{"d1", "d3", "d2", "f2", "f1", "f3"}));
    EXPECT_EQ(list.markedCount(), 3u);
    EXPECT_EQ(list[0].marked, 1);
    EXPECT_EQ(list[2].marked, 0);
    EXPECT_EQ(list[3].marked, 1);
}

TEST(ListingSort, TimeComparesWholeSeconds) {
    SortKeys keys = noKeys();
    keys.time = on(2);
    keys.fileName = on(1);
    // "b" and "a" fall in the same second, so the name decides between them.
    FileList list = listOf({file("c", 0, 11 * Second), file("b", 0, 10 * Second + 2'000'000),
                            file("a", 0, 10 * Second + 7'000'000), file("z", 0, 9 * Second)});
    sortListing(list, keys);
    EXPECT_EQ(namesOf(list), (Names{"z", "a", "b", "c"}));
}

TEST(ListingSort, SizeAndAttributeCompareWholeValues) {
    SortKeys bySize = noKeys();
    bySize.size = on(1);
    FileList list = listOf({file("five-gb", 5ULL << 30), file("one-gb", 1ULL << 30),
                            file("four-gb-plus", (4ULL << 30) + 1)});
    sortListing(list, bySize);
    EXPECT_EQ(namesOf(list), (Names{"one-gb", "four-gb-plus", "five-gb"}));

    SortKeys byAttr = noKeys();
    byAttr.attribute = on(1);
    FileList attrs = listOf({file("a", 0, 0, AttrArchive), file("r", 0, 0, AttrReadOnly),
                             file("t", 0, 0, AttrTemporary)});
    sortListing(attrs, byAttr);
    EXPECT_EQ(namesOf(attrs), (Names{"r", "a", "t"}));
}

TEST(ListingSort, EqualPrioritiesAddUp) {
    SortKeys keys = noKeys();
    keys.fileName = on(1);
    keys.size = on(1);
    // Name says a first, size says b first: the terms cancel.
    EXPECT_EQ(compareEntries(file("a", 9), file("b", 1), keys), 0);
    EXPECT_LT(compareEntries(file("a", 1), file("b", 9), keys), 0);
}

// Equal priorities give a comparison that is not a strict weak ordering; the
// sort must still finish in bounds and keep every entry exactly once.
TEST(ListingSort, InconsistentWeightsStillGiveAPermutation) {
    SortKeys keys = noKeys();
    keys.fileName = on(1);
    keys.extension = on(1);
    keys.size = on(1, true);
    keys.time = on(1);
    std::mt19937 rng(7);
    FileList list;
    Names before;
    for (int i = 0; i < 20000; ++i) {
        std::string name = std::to_string(rng() % 500) + "." + std::to_string(rng() % 7);
        list.append(file(name.c_str(), rng() % 50, uint64_t(rng() % 40) * Second));
        before.push_back(name);
    }
    sortListing(list, keys);
    Names after = namesOf(list);
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(before, after);
}

// With distinct priorities the sort compares item by item instead of adding
// weights; the result must still be ordered by the weighted comparison.
TEST(ListingSort, ItemByItemOrderAgreesWithTheWeightedSum) {
    std::mt19937 rng(11);
    const char* names[] = {"a", "B", "c.txt", "A.TXT", "b.doc", "..", "z.c", "y"};
    for (int round = 0; round < 40; ++round) {
        FileList list;
        for (int i = 0; i < 60; ++i) {
            FileEntry e = makeEntry(names[rng() % 8], rng() % 3 ? AttrArchive : AttrDirectory,
                                    rng() % 4, (rng() % 3) * Second);
            e.marked = rng() % 2;
            list.append(e);
        }
        SortKeys keys;
        int priorities[] = {1, 2, 3, 4, 5};
        std::shuffle(std::begin(priorities), std::end(priorities), rng);
        SortItem* items[] = {&keys.fileName, &keys.extension, &keys.time, &keys.attribute,
                             &keys.size};
        for (int k = 0; k < 5; ++k)
            *items[k] = SortItem{priorities[k] * (rng() % 5 ? 1 : -1), rng() % 2 == 0,
                                 rng() % 4 != 0};
        keys.tagFile = rng() % 2;
        sortListing(list, keys);
        for (std::size_t i = 1; i < list.count(); ++i)
            ASSERT_LE(compareEntries(list[i - 1], list[i], keys), 0)
                << "round " << round << " at " << i;
    }
}

// The keys become byte strings for speed; the order must be exactly the
// stable sort by the weighted comparison, ties kept in enumeration order.
TEST(ListingSort, SameOrderAsAStableSortByTheWeightedSum) {
    std::mt19937 rng(23);
    const char* names[] = {"a", "B", "b", "c.txt", "A.TXT", "b.doc", "..", "..x", "z.c", "y.",
                           ".hidden", "\x95\x5C.txt", "\x83\x41", "\x83\x61.TXT", "a.b.c", ""};
    for (int round = 0; round < 200; ++round) {
        std::vector<FileEntry> entries;
        for (uint32_t i = 0; i < 80; ++i) {
            FileEntry e = makeEntry(names[rng() % 16], rng() % 3 ? AttrArchive : AttrDirectory,
                                    rng() % 3 ? rng() % 4 : (5ULL << 32) + rng() % 2,
                                    (rng() % 3) * Second + rng() % Second);
            e.dwFileAttributes |= rng() % 4 == 0 ? AttrReadOnly : 0;
            e.marked = rng() % 2;
            e.dwReserved0 = i;  // tells equal-looking entries apart
            entries.push_back(e);
        }
        SortKeys keys;
        int priorities[] = {1, 2, 3, 4, 5};
        std::shuffle(std::begin(priorities), std::end(priorities), rng);
        SortItem* items[] = {&keys.fileName, &keys.extension, &keys.time, &keys.attribute,
                             &keys.size};
        for (int k = 0; k < 5; ++k)
            *items[k] = SortItem{priorities[k] * (rng() % 5 ? 1 : -1), rng() % 2 == 0,
                                 rng() % 4 != 0};
        keys.tagFile = rng() % 2;
        FileList list;
        for (const FileEntry& e : entries) list.append(e);
        sortListing(list, keys);
        const bool anyKey = sortWeight(keys.fileName) || sortWeight(keys.extension) ||
                            sortWeight(keys.time) || sortWeight(keys.attribute) ||
                            sortWeight(keys.size) || keys.tagFile;
        if (anyKey)
            std::stable_sort(entries.begin(), entries.end(), [&](const FileEntry& a, const FileEntry& b) {
                return compareEntries(a, b, keys) < 0;
            });
        for (std::size_t i = 0; i < entries.size(); ++i)
            ASSERT_EQ(list[i].dwReserved0, entries[i].dwReserved0) << "round " << round << " at " << i;
    }
}
