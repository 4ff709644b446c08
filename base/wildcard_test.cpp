#include "base/wildcard.h"
#include "base/name_pattern.h"

#include <string>

#include <gtest/gtest.h>

TEST(Wildcard, StarsAndQuestionMarks) {
    EXPECT_TRUE(wildcardMatch("*.txt", "notes.TXT"));
    EXPECT_FALSE(wildcardMatch("*.txt", "notes.txt.bak"));
    EXPECT_TRUE(wildcardMatch("*", ""));
    EXPECT_TRUE(wildcardMatch("a*", "a"));
    EXPECT_TRUE(wildcardMatch("a?c", "ABC"));
    EXPECT_FALSE(wildcardMatch("a?c", "ac"));
    EXPECT_FALSE(wildcardMatch("", "a"));
    EXPECT_TRUE(wildcardMatch("", ""));
    EXPECT_TRUE(wildcardMatch("*a*b", "xaxxab"));
    EXPECT_FALSE(wildcardMatch("*a*b", "xaxxa"));
}

TEST(Wildcard, RunsAfterAStarCollapseIntoIt) {
    // "*?" is just "*", so it also matches the empty name.
    EXPECT_TRUE(wildcardMatch("*?", ""));
    EXPECT_TRUE(wildcardMatch("a*?*?b", "ab"));
    // "?" before a star still needs its character.
    EXPECT_FALSE(wildcardMatch("?*", ""));
    EXPECT_TRUE(wildcardMatch("?*", "x"));
}

TEST(Wildcard, BackslashMakesTheNextCharacterLiteral) {
    EXPECT_TRUE(wildcardMatch("a\\*b", "a*b"));
    EXPECT_FALSE(wildcardMatch("a\\*b", "axb"));
    EXPECT_TRUE(wildcardMatch("\\?", "?"));
    EXPECT_FALSE(wildcardMatch("\\?", "x"));
    // An escaped star after a star is a literal, not part of the run.
    EXPECT_FALSE(wildcardMatch("*\\*", "abc"));
    EXPECT_TRUE(wildcardMatch("*\\*", "abc*"));
}

TEST(Wildcard, DoubleByteCharactersCountAsOneAndMatchExactly) {
    EXPECT_TRUE(wildcardMatch("?", "\x95\x5C"));
    EXPECT_FALSE(wildcardMatch("??", "\x95\x5C"));
    EXPECT_TRUE(wildcardMatch("?.txt", "\x83\x41.txt"));
    // A trail byte "A" is not the letter A, neither alone nor folded.
    EXPECT_FALSE(wildcardMatch("*a", "\x83\x41"));
    EXPECT_FALSE(wildcardMatch("*A", "\x83\x41"));
    EXPECT_FALSE(wildcardMatch("\x83\x61", "\x83\x41"));
    EXPECT_TRUE(wildcardMatch("\x83\x41*", "\x83\x41z"));
    // A trail byte "\" in the pattern is part of its character, not an escape.
    EXPECT_TRUE(wildcardMatch("\x95\x5C*", "\x95\x5C" "abc"));
    EXPECT_TRUE(wildcardMatch("*\x95\x5C", "x\x95\x5C"));
    // An escaped "\" does not match the trail byte of a name.
    EXPECT_FALSE(wildcardMatch("*\\\\", "\x95\x5C"));
    EXPECT_TRUE(wildcardMatch("*\\\\", "a\\"));
}

TEST(Wildcard, ManyStarsStayFast) {
    const std::string name(4000, 'a');
    EXPECT_FALSE(wildcardMatch("*a*a*a*a*a*a*a*a*a*a*b", name));
    EXPECT_TRUE(wildcardMatch("*a*a*a*a*a*a*a*a*a*a*", name));
}

TEST(NamePattern, PlainNamesNeedNoWildcardScan) {
    EXPECT_TRUE(NamePattern("Readme.TXT").isPlainName());
    EXPECT_FALSE(NamePattern("read*").isPlainName());
    EXPECT_FALSE(NamePattern("a\\b").isPlainName());
    EXPECT_TRUE(NamePattern("\x95\x5c").isPlainName());  // the trail byte is no escape
}
