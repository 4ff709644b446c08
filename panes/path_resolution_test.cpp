#include "panes/path_resolution.h"

#include <gtest/gtest.h>

TEST(PathResolution, UpRelativeAndTakenAsTheyAre) {
    EXPECT_EQ(resolvePath("C:\\work\\src", ".."), "C:\\work");
    EXPECT_EQ(resolvePath("C:\\work", ".."), "C:\\");
    EXPECT_EQ(resolvePath("C:\\", ".."), "C:\\");
    EXPECT_EQ(resolvePath("C:\\a\\b\\c", "..\\.."), "C:\\a");
    EXPECT_EQ(resolvePath("C:\\a\\b", "..\\x"), "C:\\a\\x");
    EXPECT_EQ(resolvePath("C:\\", "work"), "C:\\work");
    EXPECT_EQ(resolvePath("C:\\work", "src\\"), "C:\\work\\src");
    EXPECT_EQ(resolvePath("C:\\work", "D:"), "D:\\");
    EXPECT_EQ(resolvePath("C:\\work", "D:\\x\\"), "D:\\x");
    EXPECT_EQ(resolvePath("C:\\work", "\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(resolvePath("C:\\work", "|ftp.example/pub"), "|ftp.example/pub");
    EXPECT_EQ(resolvePath("C:\\work", ""), "C:\\work");
    EXPECT_EQ(resolvePath("//", ".."), "//");
    EXPECT_EQ(resolvePath("|h:2121/a b/c", ".."), "|h:2121/a b");
    EXPECT_EQ(resolvePath("|h:2121/a b", ".."), "|h:2121/");
    EXPECT_EQ(resolvePath("|h:2121/", ".."), "|h:2121/");
    EXPECT_EQ(resolvePath("|h/\x95\x5c/x", "../.."), "|h/");
    EXPECT_EQ(resolvePath("//WORKGROUP", "\\\\PC"), "\\\\PC");
    EXPECT_EQ(resolvePath("x.lzh>", "dir"), "x.lzh>dir");
}

TEST(PathResolution, UpInsideArchives) {
    const struct {
        const char* from;
        const char* up;
    } cases[] = {
        {"C:\\a\\x.zip>", "C:\\a"},
        {"C:\\x.zip>", "C:\\"},
        {"C:\\a\\x.zip>dir", "C:\\a\\x.zip>"},
        {"C:\\a\\x.zip>dir\\sub", "C:\\a\\x.zip>dir"},
        {"C:\\a\\x.zip>dir/sub/", "C:\\a\\x.zip>dir"},
        {"o.lzh>dir\\inner.zip>", "o.lzh>dir"},
        {"o.lzh>dir\\inner.zip>sub", "o.lzh>dir\\inner.zip>"},
        {"o.lzh>inner.zip>", "o.lzh>"},
        {"C:\\\x95\x5C.zip>\x95\x5C", "C:\\\x95\x5C.zip>"},
    };
    for (const auto& c : cases) EXPECT_EQ(resolvePath(c.from, ".."), c.up) << c.from;
}

TEST(PathResolution, TrailBytesAreNoSeparators) {
    // 表 = 0x95 0x5C: its second byte must not be taken for "\".
    EXPECT_EQ(resolvePath("C:\\\x95\x5c", ".."), "C:\\");
    EXPECT_EQ(resolvePath("C:\\a\\\x95\x5c", ".."), "C:\\a");
    EXPECT_EQ(resolvePath("C:\\a", "\x95\x5c"), "C:\\a\\\x95\x5c");
}
