#include "navigation/path_history.h"

#include <gtest/gtest.h>

TEST(PathHistory, RecordKeepsNewestFirstWithoutDuplicates) {
    PathHistory h;
    h.record("C:\\A");
    h.record("C:\\B\\");
    h.record("c:\\a");
    EXPECT_EQ(h.paths(), (std::vector<std::string>{"c:\\a", "C:\\B"}));
    // 表 ends in the byte of "\": it is a character, not a separator.
    h.record("C:\\\x95\x5c");
    EXPECT_EQ(h.paths().front(), "C:\\\x95\x5c");
    for (int i = 0; i < 40; ++i) h.record("D:\\" + std::to_string(i));
    EXPECT_EQ(h.paths().size(), PathHistory::Positions);
    EXPECT_EQ(h.paths().front(), "D:\\39");
}
