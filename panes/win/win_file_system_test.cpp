// Reading real directories: Japanese names, hidden files, the directory test.
#include <gtest/gtest.h>
#include <windows.h>

#include "testing/win/scratch_directory.h"
#include "panes/listing_loader.h"
#include "panes/win/win_file_system.h"

namespace {
const std::string Hyou = "\x95\x5c";  // 表
const std::string Nihongo = "\x93\xfa\x96\x7b\x8c\xea";

std::vector<std::string> names(const FileList& list) {
    std::vector<std::string> out;
    for (const FileEntry& e : list.entries()) out.push_back(e.cFileName);
    std::sort(out.begin(), out.end());
    return out;
}
}  // namespace

TEST(LocalListing, JapaneseNamesHiddenFilesAndDotDot) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile(Hyou + ".txt", "12345"));
    ASSERT_TRUE(dir.writeFile(Nihongo + ".doc", ""));
    ASSERT_TRUE(dir.writeFile("secret.dat", "x", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(dir.makeDirectory(Nihongo));

    WinFileSystem fs;
    ExtTable table;
    FileList list;
    ASSERT_EQ(readDirectory(fs, table, dir.path(), list), 5);
    std::vector<std::string> expected{"..", Nihongo, Nihongo + ".doc", "secret.dat",
                                      Hyou + ".txt"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names(list), expected);
    int i = list.findByName(Hyou + ".TXT");
    ASSERT_GE(i, 0);
    EXPECT_EQ(list[i].size(), 5u);
    EXPECT_FALSE(list[i].isDirectory());
    EXPECT_TRUE(list[list.findByName(Nihongo)].isDirectory());

    // A hidden-file rule with equal colours keeps hidden files out.
    table.parse("ffffff,0,\"\",0,\"\"\nffff,0,\"\",0,\"\"\n0,0,\"\",2,\"CMD_NONE\"\n");
    ASSERT_EQ(readDirectory(fs, table, dir.path(), list), 4);
    EXPECT_EQ(list.findByName("secret.dat"), -1);
}

TEST(LocalListing, DirectoryTestAndFailures) {
    ScratchDirectory dir;
    ASSERT_TRUE(dir.writeFile("plain.txt", ""));
    ASSERT_TRUE(dir.makeDirectory(Hyou));
    WinFileSystem fs;
    EXPECT_TRUE(isDirectory(fs, dir.path()));
    EXPECT_TRUE(isDirectory(fs, dir.path() + "\\"));
    EXPECT_TRUE(isDirectory(fs, dir / Hyou));
    EXPECT_FALSE(isDirectory(fs, dir / "plain.txt"));
    EXPECT_FALSE(isDirectory(fs, dir / "missing"));
    EXPECT_FALSE(isDirectory(fs, "//server"));
    EXPECT_TRUE(isDirectory(fs, "C:\\"));

    ExtTable table;
    FileList list;
    EXPECT_EQ(readDirectory(fs, table, dir / "missing", list), -1);
}

TEST(LocalListing, EmptyDriveRootIsAnEmptyListing) {
    ScratchDirectory dir;
    // A drive letter of our own over an empty folder.
    char letter = 0;
    for (char c = 'P'; c <= 'Y' && !letter; ++c) {
        std::string drive{c, ':'};
        if (GetDriveTypeA((drive + "\\").c_str()) == DRIVE_NO_ROOT_DIR &&
            DefineDosDeviceA(0, drive.c_str(), dir.path().c_str()))
            letter = c;
    }
    if (!letter) GTEST_SKIP() << "no drive letter could be mapped here";
    std::string root{letter, ':', '\\'};
    WinFileSystem fs;
    ExtTable table;
    FileList list;
    EXPECT_EQ(readDirectory(fs, table, root, list), 0);
    EXPECT_TRUE(isDirectory(fs, root));
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, std::string{letter, ':'}.c_str(), nullptr);
}
