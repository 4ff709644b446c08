#include "fileops/shortcut_name.h"

#include <gtest/gtest.h>

#include <set>

namespace {
// ショートカット in code page 932, spelt out apart from the code under test.
const std::string Word = "\x83\x56\x83\x87\x81\x5b\x83\x67\x83\x4a\x83\x62\x83\x67";
const std::string Hyou = "\x95\x5c";  // a character whose trail byte is "\"

bool none(const std::string&) { return false; }
}  // namespace

TEST(ShortcutName, KeepsTheWholeNameAndAddsTheJapaneseSuffix) {
    EXPECT_EQ(shortcutFileName("C:\\dir\\a.txt", none), "a.txt - " + Word + ".lnk");
    EXPECT_EQ(shortcutFileName("C:\\dir\\sub\\", none), "sub - " + Word + ".lnk");
    EXPECT_EQ(shortcutFileName("C:\\dir\\" + Hyou, none), Hyou + " - " + Word + ".lnk");
    EXPECT_EQ(shortcutFileName("\\\\server\\share", none), "share - " + Word + ".lnk");
}

TEST(ShortcutName, DriveRootsAndParentEntries) {
    EXPECT_EQ(shortcutBaseName("C:\\"), "C");
    EXPECT_EQ(shortcutBaseName("d:"), "d");
    EXPECT_EQ(shortcutBaseName("C:\\dir\\.."), "dir");
    EXPECT_EQ(shortcutBaseName("C:\\.."), "C");
    EXPECT_EQ(shortcutBaseName("C:" + Hyou), Hyou);
}

TEST(ShortcutName, NothingToNameGivesNoName) {
    EXPECT_EQ(shortcutFileName("", none), "");
    EXPECT_EQ(shortcutFileName("\\\\", none), "");
    EXPECT_EQ(shortcutFileName("..", none), "");
}

TEST(ShortcutName, TakenNamesGetTheNextNumber) {
    std::set<std::string> existing = {"a - " + Word + ".lnk", "a - " + Word + " (2).lnk"};
    std::vector<std::string> asked;
    auto taken = [&](const std::string& name) {
        asked.push_back(name);
        return existing.count(name) > 0;
    };
    EXPECT_EQ(shortcutFileName("C:\\a", taken), "a - " + Word + " (3).lnk");
    EXPECT_EQ(asked.size(), 3u);
}

TEST(ShortcutName, GivesUpWhenEveryNumberIsTaken) {
    int asked = 0;
    auto all = [&](const std::string&) { return ++asked, true; };
    EXPECT_EQ(shortcutFileName("C:\\a", all), "");
    EXPECT_EQ(asked, MaxShortcutNumber);

    auto lastFree = [](const std::string& name) {
        return name.find(" (" + std::to_string(MaxShortcutNumber) + ")") == std::string::npos;
    };
    EXPECT_EQ(shortcutFileName("C:\\a", lastFree),
              "a - " + Word + " (" + std::to_string(MaxShortcutNumber) + ").lnk");
}

TEST(ShortcutWorkingDirectory, IsTheDirectoryHoldingTheTarget) {
    EXPECT_EQ(shortcutWorkingDirectory("C:\\dir\\a.txt"), "C:\\dir");
    EXPECT_EQ(shortcutWorkingDirectory("C:\\a.txt"), "C:\\");
    EXPECT_EQ(shortcutWorkingDirectory("C:\\"), "C:\\");
    EXPECT_EQ(shortcutWorkingDirectory("C:\\dir\\sub\\"), "C:\\dir");
    EXPECT_EQ(shortcutWorkingDirectory("C:\\dir\\sub\\.."), "C:\\dir");
    EXPECT_EQ(shortcutWorkingDirectory("C:\\" + Hyou + "\\a"), "C:\\" + Hyou);
    EXPECT_EQ(shortcutWorkingDirectory("a.txt"), "");
}

TEST(ExplorerParameters, SelectThePathWithoutItsParentEntry) {
    EXPECT_EQ(explorerParameters("C:\\dir\\a.txt"), " /n,/e,/select,C:\\dir\\a.txt");
    EXPECT_EQ(explorerParameters("C:\\dir\\.."), " /n,/e,/select,C:\\dir");
    EXPECT_EQ(explorerParameters("C:\\.."), " /n,/e,/select,C:\\");
    // "表.." ends in a trail byte "\" followed by "..": not a parent entry.
    EXPECT_EQ(explorerParameters("C:\\" + Hyou + ".."), " /n,/e,/select,C:\\" + Hyou + "..");
    EXPECT_EQ(explorerParameters("C:\\dir\\..x"), " /n,/e,/select,C:\\dir\\..x");
}
