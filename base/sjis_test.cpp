#include "base/sjis.h"

#include <gtest/gtest.h>

#include "base/name_compare.h"

// Byte pairs used below: "\x95\x5C" has "\" as its trail byte, "\x83\x41"
// has "A" and "\x83\x61" has "a".

TEST(Sjis, CaseFoldingLeavesDoubleByteCharactersAlone) {
    EXPECT_EQ(sjis::toLowerAscii("ReadMe.TXT"), "readme.txt");
    EXPECT_EQ(sjis::toUpperAscii("ReadMe.txt"), "README.TXT");
    EXPECT_EQ(sjis::toLowerAscii("A\x83\x41Z"), "a\x83\x41z");
    EXPECT_EQ(sjis::toUpperAscii("a\x83\x61z"), "A\x83\x61Z");
    // A lone lead byte at the end is one character and the scan stops there.
    EXPECT_EQ(sjis::toLowerAscii("X\x83"), "x\x83");
}

TEST(Sjis, FindLastCharSkipsTrailBytes) {
    EXPECT_EQ(sjis::findLastChar("C:\\dir\\\x95\x5C", '\\'), 6u);
    EXPECT_EQ(sjis::findLastChar("\x95\x5C", '\\'), std::string_view::npos);
    EXPECT_EQ(sjis::findLastChar("\x83\x41", 'A'), std::string_view::npos);
    EXPECT_EQ(sjis::findLastChar("a.b.c", '.'), 3u);
    EXPECT_EQ(sjis::findLastChar("", '.'), std::string_view::npos);
}

TEST(NameCompare, SingleByteLettersFoldToLowerCase) {
    EXPECT_EQ(compareNoCase("ReadMe", "README"), 0);
    EXPECT_TRUE(equalNoCase("abc.TXT", "ABC.txt"));
    EXPECT_LT(compareNoCase("apple", "BANANA"), 0);
    // Folding to lower case puts "_" (0x5F) before every letter.
    EXPECT_LT(compareNoCase("_x", "Ax"), 0);
    EXPECT_LT(compareNoCase("_x", "ax"), 0);
}

TEST(NameCompare, DoubleByteCharactersCompareExactlyAndUnsigned) {
    EXPECT_NE(compareNoCase("\x83\x41", "\x83\x61"), 0);
    EXPECT_EQ(compareNoCase("x\x83\x41", "X\x83\x41"), 0);
    EXPECT_GT(compareNoCase("\x83\x40", "z"), 0);
    EXPECT_LT(compareNoCase("ab", "abc"), 0);
    EXPECT_GT(compareNoCase("abc", "ab"), 0);
    EXPECT_EQ(compareNoCase("", ""), 0);
}
