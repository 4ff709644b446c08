#include "navigation/jump_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace {

JumpList listOf(std::initializer_list<const char*> names) {
    JumpList list;
    // add() inserts at the top, so adding in reverse keeps the given order.
    std::vector<const char*> v(names);
    for (auto it = v.rbegin(); it != v.rend(); ++it) list.add({*it, std::string("P:") + *it});
    return list;
}

}  // namespace

TEST(JumpListFile, ParsesRectangleWidthsAndQuotedRowsWithCommas) {
    JumpList list;
    list.parse(
        "10,20,610,420\r\n"
        "250,700,\r\n"
        "\"Work, old\",\"C:\\work,old\"\r\n"
        "\"Editor\",\"notepad.exe \"\"$F\"\"\"\n"
        "\n"
        "\"Only name\"\n"
        "\"5\" floppy\",\"\"C:\\a b\\x.exe\" \"$F\"\r\r\n");
    ASSERT_TRUE(list.rect.has_value());
    EXPECT_EQ(*list.rect, (WindowRect{10, 20, 610, 420}));
    EXPECT_EQ(list.columnWidths[0], 250);
    EXPECT_EQ(list.columnWidths[1], 700);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list.entries()[0].name, "Work, old");
    EXPECT_EQ(list.entries()[0].path, "C:\\work,old");
    // Only one quote comes off each end.
    EXPECT_EQ(list.entries()[1].path, "notepad.exe \"\"$F\"\"");
    EXPECT_EQ(list.entries()[2].name, "Only name");
    EXPECT_EQ(list.entries()[2].path, "");
    // Odd quotes, as typed, split at the one separator; stray CRs are no part of it.
    EXPECT_EQ(list.entries()[3].name, "5\" floppy");
    EXPECT_EQ(list.entries()[3].path, "\"C:\\a b\\x.exe\" \"$F");
}

TEST(JumpListFile, WritesTheFormatBackAndCutsFieldsWhole) {
    std::random_device random;
    const fs::path dir = fs::temp_directory_path() / ("jump_list_" + std::to_string(random()));
    fs::create_directories(dir);
    const std::string file = (dir / "JUMPLST.tbl").string();

    JumpList list;
    EXPECT_FALSE(list.load(file));
    EXPECT_FALSE(list.rect.has_value());
    list.rect = WindowRect{-5, 0, 300, 200};
    list.add({"b,c", "D:\\x"});
    // 799 bytes, then a double-byte character that does not fit in 800.
    const std::string longName = std::string(799, 'n') + "\x95\x5c";
    list.add({longName, std::string(900, 'p')});
    ASSERT_TRUE(list.save(file));

    JumpList loaded;
    ASSERT_TRUE(loaded.load(file));
    EXPECT_EQ(loaded.format().substr(0, 21), "-5,0,300,200\n300,1000");
    EXPECT_EQ(*loaded.rect, (WindowRect{-5, 0, 300, 200}));
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded.entries()[0].name, std::string(799, 'n'));
    EXPECT_EQ(loaded.entries()[0].path, std::string(800, 'p'));
    EXPECT_EQ(loaded.entries()[1].name, "b,c");
    fs::remove_all(dir);
}

TEST(JumpListSearch, PatternThenPrefixThenContainment) {
    JumpList list = listOf({"My docs", "download", "doc", "Docs old", "a?c"});
    EXPECT_EQ(list.search("doc", 0), 2u);       // exact pattern first
    EXPECT_EQ(list.search("doc", 3), 2u);       // wrapping round from the current row
    EXPECT_EQ(list.search("dow", 0), 1u);       // then as a prefix
    EXPECT_EQ(list.search("docs", 0), 3u);      // prefix beats containment (My docs)
    EXPECT_EQ(list.search("y d", 0), 0u);       // then anywhere in the name
    EXPECT_EQ(list.search("D?C", 0), 2u);       // a wildcard, without regard to case
    EXPECT_EQ(list.search("zzz", 0), std::nullopt);
    EXPECT_EQ(JumpList().search("doc", 0), std::nullopt);
}

TEST(JumpListSearch, NextStepsThroughEveryMatch) {
    JumpList list = listOf({"src a", "bin", "src b", "lib", "src c"});
    JumpListSearch s;
    EXPECT_EQ(s.type(list, "src"), 0u);
    EXPECT_EQ(s.next(list, "src"), 2u);
    EXPECT_EQ(s.next(list, "src"), 4u);
    EXPECT_EQ(s.next(list, "src"), 0u);
    EXPECT_EQ(s.current(), 0u);
    // Typing keeps the current row when it still matches.
    s.setCurrent(2);
    EXPECT_EQ(s.type(list, "src "), 2u);
    EXPECT_EQ(s.next(list, "none"), std::nullopt);
    EXPECT_EQ(s.current(), 3u);  // Next moved on even without a match
}

TEST(JumpListRows, AddDeleteEditAndMove) {
    JumpList list = listOf({"a", "b", "c"});
    EXPECT_EQ(list.move(0, true), std::nullopt);
    EXPECT_EQ(list.move(2, false), std::nullopt);
    EXPECT_EQ(list.move(0, false), 1u);
    EXPECT_EQ(list.move(2, true), 1u);
    EXPECT_EQ(list.entries()[0].name, "b");
    EXPECT_EQ(list.entries()[1].name, "c");
    EXPECT_EQ(list.entries()[2].name, "a");
    EXPECT_TRUE(list.setName(1, "cc"));
    EXPECT_TRUE(list.setPath(1, "Q:\\"));
    EXPECT_FALSE(list.setPath(3, "x"));
    EXPECT_TRUE(list.remove(0));
    EXPECT_FALSE(list.remove(2));
    list.add({"new", "N:\\"});
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.entries()[0].name, "new");
    EXPECT_EQ(list.entries()[1].path, "Q:\\");
}
