#include "panes/entry_open.h"

#include <cstdio>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "panes/line_colours.h"
#include "panes/selected_entries.h"

namespace {

FileList sample() {
    FileList list;
    list.append(makeEntry("..", AttrDirectory));
    list.append(makeEntry("docs", AttrDirectory));
    list.append(makeEntry("a.txt", AttrArchive));
    list.append(makeEntry("b.zip", AttrArchive));
    return list;
}

ExtTable tableWithCommands() {
    ExtTable table;
    table.append({"TXT", 0, 0x1, 0x2, "notepad.exe \"$F\""});
    table.append({"ZIP", 0, 0x3, 0x4, ""});
    table.append({"LNK", 0, 0x5, 0x6, "CMD_VIEWFILE"});
    table.append({"RET", 0, 0x5, 0x6, "CMD_RETURN"});
    table.append({"LZH", 0, 0x5, 0x6, "CMD_NONE"});
    table.setDefaultPair({0xAAAAAA, 0x111111});
    table.setTodayPair({0x00FFFF, 0x222222});
    return table;
}

bool commandName(std::string_view text) { return text.substr(0, 4) == "CMD_"; }

}  // namespace

TEST(SelectedEntries, MarkedOrTheCursorButNeverTheParent) {
    FileList list = sample();
    EXPECT_EQ(selectedIndices(list, 2), std::vector<int>{2});
    EXPECT_TRUE(selectedIndices(list, 0).empty());
    list.setMark(1, true);
    list.setMark(3, true);
    EXPECT_EQ(selectedIndices(list, 0), (std::vector<int>{1, 3}));
    EXPECT_EQ(selectedNames(list, 0, SourceArchive), (std::vector<std::string>{"docs\\*", "b.zip"}));
    EXPECT_TRUE(selectedNames(list, 2, SourceNetwork).empty());
    EXPECT_EQ(dragPaths(list, 0, SourceLocal, "C:\\work"),
              (std::vector<std::string>{"C:\\work\\docs", "C:\\work\\b.zip"}));
}

TEST(SelectedEntries, NamesWithLostCharactersGoByTheirShortNameOrNotAtAll) {
    auto entry = [](const char* name, const char* alternate) {
        FileEntry e = makeEntry(name, AttrArchive);
        std::snprintf(e.cAlternateFileName, sizeof e.cAlternateFileName, "%s", alternate);
        return e;
    };
    struct Case {
        FileEntry entry;
        std::string operable;
    } cases[] = {
        {entry("??.txt", "__~~~Y1E.TXT"), "__~~~Y1E.TXT"},
        {entry("a?b", ""), ""},                       // no short name: nothing reaches it
        {entry("?.txt", "?~1.TXT"), ""},              // a short name with a lost character too
        {entry("plain.txt", "PLAIN~1.TXT"), "plain.txt"},
        {entry("\x95\x5c.txt", "_~~~~RDP.TXT"), "\x95\x5c.txt"},  // trail byte 0x5C is no "?"
    };
    for (const Case& c : cases) EXPECT_EQ(operableName(c.entry), c.operable) << c.entry.name();

    FileList list;
    list.append(makeEntry("..", AttrDirectory));
    for (const Case& c : cases) list.append(c.entry);
    for (int i = 1; i <= 4; ++i) list.setMark(i, true);
    EXPECT_EQ(selectedNames(list, 0, SourceLocal),
              (std::vector<std::string>{"__~~~Y1E.TXT", "plain.txt"}));
    EXPECT_EQ(unreachableNames(list, 0), (std::vector<std::string>{"a?b", "?.txt"}));
    for (int i = 1; i <= 4; ++i) list.setMark(i, false);
    EXPECT_TRUE(unreachableNames(list, 1).empty());
    EXPECT_EQ(unreachableNames(list, 2), std::vector<std::string>{"a?b"});
}

TEST(SelectedEntries, DropsFromTheOwnDirectoryAreRecognised) {
    EXPECT_TRUE(droppedFromDirectory("C:\\Work\\a.txt", "c:\\work"));
    EXPECT_TRUE(droppedFromDirectory("C:\\Work\\a.txt", "C:\\work\\"));
    EXPECT_TRUE(droppedFromDirectory("C:\\a.txt", "C:\\"));
    EXPECT_FALSE(droppedFromDirectory("C:\\Work\\sub\\a.txt", "C:\\work"));
    EXPECT_FALSE(droppedFromDirectory("D:\\a.txt", "C:\\"));
    // "\x95\x5c" ends in a byte that looks like "\".
    EXPECT_FALSE(droppedFromDirectory("C:\\\x95\x5c\\a.txt", "C:\\"));
    EXPECT_TRUE(droppedFromDirectory("C:\\\x95\x5c\\a.txt", "C:\\\x95\x5c"));
}

TEST(EntryOpen, WhatOpeningAnEntryDoes) {
    const ExtTable table = tableWithCommands();
    OpenDecision d = decideOpen(makeEntry("a.txt", AttrArchive), table, false, commandName);
    EXPECT_EQ(d.action, OpenAction::RunCommandLine);
    EXPECT_EQ(d.text, "notepad.exe \"$F\"");
    d = decideOpen(makeEntry("x.lnk", AttrArchive), table, false, commandName);
    EXPECT_EQ(d.action, OpenAction::RunCommand);
    EXPECT_EQ(d.text, "CMD_VIEWFILE");
    EXPECT_EQ(decideOpen(makeEntry("b.zip", AttrArchive), table, true, commandName).action, OpenAction::Enter);
    EXPECT_EQ(decideOpen(makeEntry("b.zip", AttrArchive), table, false, commandName).action, OpenAction::Refresh);
    EXPECT_EQ(decideOpen(makeEntry("q.ret", AttrArchive), table, false, commandName).action, OpenAction::Refresh);
    EXPECT_EQ(decideOpen(makeEntry("o.lzh", AttrArchive), table, true, commandName).action, OpenAction::Enter);
    EXPECT_EQ(decideOpen(makeEntry("n.lzh", AttrArchive), table, false, commandName).action, OpenAction::Refresh);
    EXPECT_EQ(decideOpen(makeEntry("..", AttrDirectory), table, false, commandName).action, OpenAction::Back);
    EXPECT_EQ(decideOpen(makeEntry("docs", AttrDirectory), table, false, commandName).action, OpenAction::Enter);
    // An attribute word of 0 is not taken for a file.
    EXPECT_EQ(decideOpen(makeEntry("host.txt", 0), table, false, commandName).action, OpenAction::Enter);
}

TEST(EntryOpen, PathsInAndOut) {
    EXPECT_EQ(enterPath("C:\\work", "docs"), "C:\\work\\docs");
    EXPECT_EQ(enterPath("//", ".."), "//");
    EXPECT_EQ(leftDirectoryName("C:\\work\\docs"), "docs");
    EXPECT_EQ(leftDirectoryName("C:\\work\\docs\\"), "docs");
    EXPECT_EQ(leftDirectoryName("C:\\x\\a.lzh>"), "a.lzh");
    EXPECT_EQ(leftDirectoryName("C:\\x\\a.lzh>dir/sub"), "sub");
    EXPECT_EQ(leftDirectoryName("|host/pub/src"), "src");
    EXPECT_EQ(leftDirectoryName("C:\\\x95\x5c"), "\x95\x5c");

    const FileList list = sample();
    EXPECT_EQ(cursorAfterBack(list, "DOCS"), 1);
    EXPECT_EQ(cursorAfterBack(list, ".."), 0);
    EXPECT_EQ(cursorAfterBack(list, "gone"), 0);
}

TEST(LineColours, BlankTodayAndByExtension) {
    const ExtTable table = tableWithCommands();
    const uint64_t now = 200 * FileTimeDay;
    EXPECT_EQ(lineColours(FileEntry{}, table, true, now), table.defaultPair());
    const FileEntry fresh = makeEntry("a.txt", AttrArchive, 1, now - FileTimeDay + 1);
    EXPECT_EQ(lineColours(fresh, table, true, now), table.todayPair());
    EXPECT_EQ(lineColours(fresh, table, false, now), (ColourPair{0x1, 0x2}));
    const FileEntry old = makeEntry("a.TXT", AttrArchive, 1, now - FileTimeDay);
    EXPECT_EQ(lineColours(old, table, true, now), (ColourPair{0x1, 0x2}));
}

// The shipped table hands documents, pictures and media to the system and
// keeps text in the editor and programs running.
TEST(EntryOpen, ShippedTableOpensCommonDocuments) {
    ExtTable shipped;
    ASSERT_TRUE(shipped.load(VORBIN_DATA_DIR "/Color.tbl"));
    struct Case {
        const char* name;
        const char* command;
    } cases[] = {{"a.csv", "CMD_EXECUTE"},  {"b.XLSX", "CMD_EXECUTE"}, {"c.pdf", "CMD_EXECUTE"},
                 {"d.docx", "CMD_EXECUTE"}, {"e.jpg", "CMD_EXECUTE"},  {"f.mp4", "CMD_EXECUTE"},
                 {"g.exe", "CMD_EXECUTE"},  {"h.txt", "CMD_EDIT"}};
    for (const Case& c : cases) {
        OpenDecision d = decideOpen(makeEntry(c.name, AttrArchive), shipped, false, commandName);
        EXPECT_EQ(d.action, OpenAction::RunCommand) << c.name;
        EXPECT_EQ(d.text, c.command) << c.name;
    }
    // Pictures keep their colour.
    EXPECT_EQ(shipped.colours("JPG", AttrArchive).text, 0x80c0ffu);
}
