#include "fileops/macro_expansion.h"

#include <gtest/gtest.h>

namespace {

MacroContext localContext() {
    MacroContext c;
    c.cursor = {"readme.txt", "README.TXT"};
    c.target = {"My Report.final.doc", "MYREPO~1.DOC"};
    c.directory = "C:\\Work Dir";
    c.shortDirectory = "C:\\WORKDI~1";
    c.ftpUser = "anonymous";
    c.marked = {{"a.txt", ""}, {"b c.txt", "BC~1.TXT"}};
    return c;
}

std::string expand(std::string_view text, const MacroContext& c) {
    std::optional<std::string> out = expandMacros(text, c);
    EXPECT_TRUE(out.has_value()) << text;
    return out.value_or("<failed>");
}

}  // namespace

TEST(MacroExpansion, EntryMacrosTakeCursorOrTargetAndTheirShortNames) {
    MacroContext c = localContext();
    EXPECT_EQ(expand("$F|$f|$T|$t", c), "readme.txt|README.TXT|My Report.final.doc|MYREPO~1.DOC");
    EXPECT_EQ(expand("$N|$n|$M|$m", c), "My Report.final|MYREPO~1|My Report.final|MYREPO~1");
    // Without a short name the long one stands in.
    c.cursor.shortName.clear();
    c.target = {"data.csv", ""};
    EXPECT_EQ(expand("$f $t $n $m", c), "readme.txt data.csv data data");
}

TEST(MacroExpansion, NameWithoutExtensionCutsAtTheLastDotOnly) {
    EXPECT_EQ(nameWithoutExtension("archive.tar.gz"), "archive.tar");
    EXPECT_EQ(nameWithoutExtension("Makefile"), "Makefile");
    EXPECT_EQ(nameWithoutExtension(".profile"), "");
    EXPECT_EQ(nameWithoutExtension("\x95\x5C.txt"), "\x95\x5C");
}

TEST(MacroExpansion, DirectoryMacrosAndTheShortFormFallback) {
    MacroContext c = localContext();
    EXPECT_EQ(expand("$D\\$T", c), "C:\\Work Dir\\My Report.final.doc");
    EXPECT_EQ(expand("$d", c), "C:\\WORKDI~1");
    c.shortDirectory.clear();
    EXPECT_EQ(expand("$d", c), "C:\\Work Dir");
}

TEST(MacroExpansion, FtpMacrosAreEmptyForALocalDirectory) {
    MacroContext c = localContext();
    EXPECT_EQ(expand("[$U][$H][$h]", c), "[][][]");
    c.directory = "|ftp.example.jp/pub/incoming";
    EXPECT_EQ(expand("[$U][$H][$h]", c), "[anonymous][|ftp.example.jp][|ftp.example.jp]");
    EXPECT_EQ(ftpHostPart("|host\\dir"), "|host");
    EXPECT_EQ(ftpHostPart("|host"), "|host");
    EXPECT_EQ(ftpHostPart("C:\\host"), "");
}

TEST(MacroExpansion, ExpandedFtpPathGetsForwardSlashesOnly) {
    MacroContext c = localContext();
    c.directory = "|host/pub/";
    c.target = {"\x95\x5C.txt", ""};  // the trail byte 0x5C is no backslash
    EXPECT_EQ(expand("$D\\\\$T", c), "|host/pub/\x95\x5C.txt");
    EXPECT_EQ(ftpSeparators("|h//a\\\\b///c"), "|h/a/b/c");
    // A local result keeps its backslashes, even a UNC pair.
    c.directory = "\\\\server\\share";
    EXPECT_EQ(expand("$D\\$F", c), "\\\\server\\share\\readme.txt");
}

TEST(MacroExpansion, GroupMacrosQuoteEachMarkedNameAndExpandOnlyOnce) {
    MacroContext c = localContext();
    EXPECT_EQ(expand("$G / $G", c), "\"a.txt\",\"b c.txt\" / $G");
    EXPECT_EQ(expand("$g $g $G", c), "\"a.txt\",\"BC~1.TXT\" $g \"a.txt\",\"b c.txt\"");
    // The parts of one line share what was used up.
    GroupMacroUse groups;
    EXPECT_EQ(expandMacros("x $G", c, groups), "x \"a.txt\",\"b c.txt\"");
    EXPECT_EQ(expandMacros("y $G $g", c, groups), "y $G \"a.txt\",\"BC~1.TXT\"");
    c.marked.clear();
    EXPECT_EQ(expand("[$G]", c), "[]");
}

TEST(MacroExpansion, DollarSignsThatAreNoMacroStay) {
    MacroContext c = localContext();
    EXPECT_EQ(expand("a$Sb", c), "ab");
    EXPECT_EQ(expand("C:\\$Recycle.Bin\\$X $$ $", c), "C:\\$Recycle.Bin\\$X $$ $");
    EXPECT_EQ(expand("\\\\srv\\c$\\tmp", c), "\\\\srv\\c$\\tmp");
    EXPECT_EQ(expand("$P $s", c), "$P $s");
    EXPECT_EQ(expand("$$T", c), "$My Report.final.doc");
}

TEST(MacroExpansion, ShiftJisTextAroundMacrosSurvives) {
    MacroContext c = localContext();
    c.target = {"\x83\x65\x83\x58\x83\x67.txt", ""};  // katakana "tesuto"
    EXPECT_EQ(expand("\x95\x5C$T\x95\x5C", c), "\x95\x5C\x83\x65\x83\x58\x83\x67.txt\x95\x5C");
    // 0x24 cannot be a trail byte: after a broken lead it is still a "$".
    EXPECT_EQ(expand("\x81$N", c), "\x81\x83\x65\x83\x58\x83\x67");
    EXPECT_TRUE(containsMacro("\x81$S", 'S'));
    EXPECT_TRUE(containsMacro("$$S", 'S'));
    EXPECT_FALSE(containsMacro("$s $", 'S'));
}

TEST(MacroExpansion, ResultLongerThanACommandLineFails) {
    MacroContext c = localContext();
    c.marked.assign(400, MacroEntry{std::string(100, 'x'), ""});
    EXPECT_FALSE(expandMacros("$G", c).has_value());
    c.marked.resize(300);
    EXPECT_TRUE(expandMacros("$G", c).has_value());
}
