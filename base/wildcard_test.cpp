#include "base/wildcard.h"
#include "base/name_pattern.h"
#include "base/sjis.h"

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

// "*" followed by literals takes a shortcut; it must agree with the rule
// itself (the literals end the name, starting on a character boundary) on
// names whose bytes fall on and off character boundaries.
TEST(NamePattern, StarThenLiteralsMatchesOnlyAWholeCharacterTail) {
    const char alphabet[] = {'a', 'A', '.', 'x', '\\', '\x83', '\x41', '\x95', '\x5C', '\x81'};
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    auto randomText = [&](std::size_t maxLength) {
        std::string s;
        for (std::size_t n = next() % (maxLength + 1); n > 0; --n) s += alphabet[next() % 10];
        return s;
    };
    auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    auto endsWith = [&](std::string_view name, std::string_view tail) {
        for (std::size_t k = 0; k <= name.size(); k += k < name.size() ? sjis::charLength(name, k) : 1) {
            std::size_t n = k, t = 0;
            while (n < name.size() && t < tail.size()) {
                const std::size_t nl = sjis::charLength(name, n), tl = sjis::charLength(tail, t);
                if (nl != tl) break;
                if (nl == 1 ? fold(name[n]) != fold(tail[t]) : name.substr(n, 2) != tail.substr(t, 2)) break;
                n += nl;
                t += tl;
            }
            if (n == name.size() && t == tail.size()) return true;
        }
        return false;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string literals = randomText(4);
        std::string tail;  // no single-byte "\", "*" or "?": literals only
        for (std::size_t k = 0; k < literals.size(); k += sjis::charLength(literals, k)) {
            const std::size_t len = sjis::charLength(literals, k);
            if (len == 1 && literals[k] == '\\') continue;
            tail += literals.substr(k, len);
        }
        if (tail.empty()) continue;
        const std::string name = randomText(8);
        ASSERT_EQ(NamePattern("*" + tail).matches(name), endsWith(name, tail))
            << "tail " << tail << " name " << name;
    }
}
