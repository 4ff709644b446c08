#include "panes/line_format.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "base/sjis.h"

namespace {

constexpr DisplaySwitches AllOn{true, true, true};
constexpr DisplaySwitches NamesOnly{false, false, false};
const LocalTime March5{2003, 3, 5, 14, 7, 9};

// Two-byte Shift-JIS characters (each two cells).
const std::string Kan = "\x8a\xbf";
const std::string Ji = "\x8e\x9a";
const std::string Hyo = "\x95\x5c";  // trail byte is "\"

std::string nameField(const std::string& name, int n, int e) {
    return lineText(makeEntry(name), {n, e}, NamesOnly, {}).substr(1, n + 1 + e);
}

}  // namespace

TEST(LineFormat, TheReadmeExampleIs43Characters) {
    FileEntry e = makeEntry("readme.txt", AttrArchive, 1234, 1);
    const std::string line = lineText(e, {8, 3}, AllOn, March5);
    EXPECT_EQ(line, " readme  .txt      1,234 03-03-05 14:07:09 ");
    EXPECT_EQ(line.size(), 43u);
    EXPECT_EQ(static_cast<int>(line.size()), lineWidth({8, 3}, AllOn) + 2);

    e.marked = 1;
    EXPECT_EQ(lineText(e, {8, 3}, AllOn, March5)[0], '*');
}

TEST(LineFormat, NameFieldCutsAndAlignment) {
    // A long stem ends in "~" on the column's last cell.
    EXPECT_EQ(nameField("verylongname.txt", 8, 3), "verylon~.txt");
    // Exactly N fits without a cut.
    EXPECT_EQ(nameField("eightchr.txt", 8, 3), "eightchr.txt");
    // No extension keeps the "." position blank so other lines stay aligned.
    EXPECT_EQ(nameField("Makefile", 8, 3), "Makefile    ");
    EXPECT_EQ(nameField("a.c", 8, 3), "a       .c  ");
    EXPECT_EQ(nameField("..", 8, 3), "..          ");
    // A name whose only "." leads it has no extension.
    EXPECT_EQ(nameField(".profile", 8, 3), ".profile    ");
    // A trailing "." leaves an empty extension, shown as blanks.
    EXPECT_EQ(nameField("abc.", 8, 3), "abc         ");
    // The last "." splits.
    EXPECT_EQ(nameField("a.tar.gz", 8, 3), "a.tar   .gz ");
}

TEST(LineFormat, AnExtensionLongerThanItsColumnJoinsTheName) {
    // Fits whole in N + E cells.
    EXPECT_EQ(nameField("ab.backup", 8, 3), "ab.backup   ");
    EXPECT_EQ(nameField("abcd.backup", 8, 3), "abcd.backup ");
    // Longer than N + E: cut with "~" at the last cell of N + E.
    EXPECT_EQ(nameField("archive.backup", 8, 3), "archive.ba~ ");
    // A column with no extension cells joins any extension.
    EXPECT_EQ(nameField("a.c", 4, 0), "a.c  ");
}

TEST(LineFormat, DoubleByteCharactersAreNeverCutInHalf) {
    // "a" + three two-byte characters is 7 cells; N = 5 leaves 4 for the text
    // before "~": "a" and one character fit, the next would need cells 4-5.
    EXPECT_EQ(nameField("a" + Kan + Ji + Kan + ".txt", 5, 3), "a" + Kan + " ~.txt");
    EXPECT_EQ(nameField(Kan + Ji + Kan + ".txt", 5, 3), Kan + Ji + "~.txt");
    // A trail byte equal to "." or "\" is not taken for a separator.
    EXPECT_EQ(nameField(Hyo + "x", 8, 3), Hyo + "x         ");
    EXPECT_EQ(nameField("d" + Kan + "." + Ji, 8, 3), "d" + Kan + "     ." + Ji + " ");
}

TEST(LineFormat, EveryLineHasTheWidthOfItsColumn) {
    // Names from single-byte letters, dots and two-byte characters; every
    // line is lineWidth + 2 cells and shows a whole-character prefix.
    std::mt19937 random(7);
    const std::string pieces[] = {"a", "B", ".", Kan, Ji, Hyo, "xyz", "."};
    for (int round = 0; round < 2000; ++round) {
        std::string name;
        const int length = static_cast<int>(random() % 9);
        for (int i = 0; i < length; ++i) name += pieces[random() % 8];
        const ColumnWidths w{static_cast<int>(random() % 10), static_cast<int>(random() % 5)};
        const DisplaySwitches s{random() % 2 == 0, random() % 2 == 0, random() % 2 == 0};
        const std::string line = lineText(makeEntry(name, 0, random()), w, s, March5);
        ASSERT_EQ(static_cast<int>(line.size()), lineWidth(w, s) + 2) << name;
        const NameLayout l = layoutName(name, w);
        ASSERT_EQ(line.substr(1, l.stemBytes), name.substr(0, l.stemBytes));
        std::size_t at = 0;
        while (at < l.stemBytes) at += sjis::charLength(name, at);
        ASSERT_EQ(at, l.stemBytes) << name;
    }
}

TEST(LineFormat, SizeField) {
    auto size = [](uint64_t bytes) { return sizeField(makeEntry("f", 0, bytes)); };
    EXPECT_EQ(size(0), "          0");
    EXPECT_EQ(size(999), "        999");
    EXPECT_EQ(size(1000), "      1,000");
    EXPECT_EQ(size(999'999'999), "999,999,999");
    EXPECT_EQ(size(1'000'000'000), " 1000000000");
    EXPECT_EQ(size(12'345'678'901), "12345678901");

    EXPECT_EQ(sizeField(makeEntry("d", AttrDirectory)), "      <Dir>");
    FileEntry net = makeEntry("\\\\PC");
    net.kind = EntryNetComputer;
    EXPECT_EQ(sizeField(net), "    <NetPC>");
    net.kind = EntryNetShare;
    EXPECT_EQ(sizeField(net), "  <NetPath>");
    net.kind = EntryNetDomain;
    EXPECT_EQ(sizeField(net), "   <Domain>");
    EXPECT_EQ(sizeField(makeEntry("", 0, 5)), std::string(11, ' '));

    EXPECT_EQ(groupedDigits(1'000'000'000), "1,000,000,000");
    EXPECT_EQ(groupedDigits(12), "12");
}

TEST(LineFormat, DateAndTimeFields) {
    const FileEntry file = makeEntry("f.txt", 0, 1, 1);
    EXPECT_EQ(dateField(file, {1999, 12, 31, 23, 59, 58}), " 99-12-31");
    EXPECT_EQ(timeField(file, {1999, 12, 31, 23, 59, 58}), " 23:59:58");
    EXPECT_EQ(dateField(file, {2000, 1, 2, 0, 0, 0}), " 00-01-02");
    // Network entries and blank lines show no time.
    FileEntry share = makeEntry("\\\\PC\\share");
    share.kind = EntryNetShare;
    EXPECT_EQ(dateField(share, March5), std::string(9, ' '));
    EXPECT_EQ(timeField(share, March5), std::string(9, ' '));
    const std::string blank = lineText(FileEntry{}, {8, 3}, AllOn, March5);
    EXPECT_EQ(blank, std::string(43, ' '));
}

TEST(LineFormat, SwitchesLeaveOutTheirFields) {
    const FileEntry e = makeEntry("readme.txt", 0, 1234, 1);
    EXPECT_EQ(lineText(e, {8, 3}, {false, true, true}, March5), " readme  .txt 03-03-05 14:07:09 ");
    EXPECT_EQ(lineText(e, {8, 3}, {true, false, false}, March5), " readme  .txt      1,234 ");
    EXPECT_EQ(lineText(e, {8, 3}, NamesOnly, March5), " readme  .txt ");
}
