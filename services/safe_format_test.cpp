#include "services/safe_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

std::string format(std::string_view text, std::vector<FormatArg> args = {}) {
    return safeFormat(text, args);
}

const std::string Hyou = "\x95\x5c";                      // 表: trail byte "\"
const std::string Nihongo = "\x93\xfa\x96\x7b\x8c\xea";   // 日本語

}  // namespace

TEST(SafeFormat, TakesNumbersTextsAndPercentInOrder) {
    EXPECT_EQ(format("%d files, %s", {3, "a.txt"}), "3 files, a.txt");
    EXPECT_EQ(format("%d%%", {100}), "100%");
    EXPECT_EQ(format("%d %d", {-7, LLONG_MIN}), "-7 " + std::to_string(LLONG_MIN));
    EXPECT_EQ(format("%s -> %s", {std::string("old"), std::string_view("new")}), "old -> new");
    EXPECT_EQ(format("no conversions", {1, "x"}), "no conversions");
    // An argument's own "%" is text, never read as a conversion.
    EXPECT_EQ(format("[%s]", {"%s%d%n"}), "[%s%d%n]");
    EXPECT_EQ(format("[%s]", {static_cast<const char*>(nullptr)}), "[]");
}

TEST(SafeFormat, MismatchedConversionStaysLiteralAndUsesItsArgument) {
    EXPECT_EQ(format("%s", {42}), "%s");
    EXPECT_EQ(format("%d", {"text"}), "%d");
    // The second conversion still gets the second argument.
    EXPECT_EQ(format("%s and %s", {5, "b"}), "%s and b");
    EXPECT_EQ(format("%d: %s", {"name", 2}), "%d: %s");
}

TEST(SafeFormat, MissingArgumentsLeaveConversionsLiteral) {
    EXPECT_EQ(format("%d of %d", {1}), "1 of %d");
    EXPECT_EQ(format("%s%s%s%s%s%s%s%s"), "%s%s%s%s%s%s%s%s");
}

TEST(SafeFormat, UnsupportedSequencesAreCopiedAsText) {
    EXPECT_EQ(format("%n", {1}), "%n");
    EXPECT_EQ(format("%5d|%-s|%.3s|%ld|%x|%p", {1, "abcdef"}), "%5d|%-s|%.3s|%ld|%x|%p");
    // Whatever follows an unsupported "%" is scanned again as ordinary text,
    // so "%%d" is a percent sign and a "d", and "%5%d" keeps its "%d".
    EXPECT_EQ(format("%%d", {1}), "%d");
    EXPECT_EQ(format("%5%d", {9}), "%59");
    EXPECT_EQ(format("100%"), "100%");
    EXPECT_EQ(format("%"), "%");
    EXPECT_EQ(format(std::string_view("%\0d", 3), {1}), std::string("%\0d", 3));
}

TEST(SafeFormat, ShiftJisCharactersPassWhole) {
    EXPECT_EQ(format(Hyou + "%d" + Hyou, {4}), Hyou + "4" + Hyou);
    EXPECT_EQ(format("%" + Nihongo, {1}), "%" + Nihongo);
    EXPECT_EQ(format(Nihongo + "%s", {Hyou}), Nihongo + Hyou);
    // A lead byte owns the byte after it, even a stray "%".
    EXPECT_EQ(format("\x81%d", {1}), "\x81%d");
    // A lone lead byte at the very end is kept, and nothing is read past it.
    EXPECT_EQ(format("%d\x95", {1}), "1\x95");
}
