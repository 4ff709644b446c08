#include "archive/archive_path.h"

#include <gtest/gtest.h>

#include "archive/archive_commands.h"

TEST(ArchivePath, SplitNormaliseAndShow) {
    const struct {
        const char* path;
        const char* file;
        std::vector<std::string> nested;
        const char* inside;
        const char* normalised;
        const char* shown;
    } cases[] = {
        {"C:\\a\\b.lzh", "C:\\a\\b.lzh", {}, "", "", "C:\\a\\b.lzh>"},
        {"C:\\a\\b.lzh>", "C:\\a\\b.lzh", {}, "", "", "C:\\a\\b.lzh>"},
        {"\"C:\\a\\b.lzh>dir", "C:\\a\\b.lzh", {}, "dir", "dir/", "\"C:\\a\\b.lzh>dir"},
        {"b.zip>dir\\sub\\", "b.zip", {}, "dir\\sub\\", "dir/sub/", "b.zip>dir\\sub\\"},
        {"o.lzh>dir/inner.zip>sub/", "o.lzh", {"dir/inner.zip"}, "sub/", "sub/",
         "o.lzh>dir/inner.zip>sub/"},
        {"o.lzh>dir\\inner.zip", "o.lzh", {"dir\\inner.zip"}, "", "", "o.lzh>dir\\inner.zip>"},
        {"o.lzh>a.zip>b.tgz>", "o.lzh", {"a.zip", "b.tgz"}, "", "", "o.lzh>a.zip>b.tgz>"},
        // A folder named like an archive, written with its separator, stays a folder.
        {"o.lzh>x.zip\\", "o.lzh", {}, "x.zip\\", "x.zip/", "o.lzh>x.zip\\"},
        // "表" ends in the byte 0x5C, which is no separator.
        {"C:\\\x95\x5C.zip>\x95\x5C", "C:\\\x95\x5C.zip", {}, "\x95\x5C", "\x95\x5C/",
         "C:\\\x95\x5C.zip>\x95\x5C"},
    };
    for (const auto& c : cases) {
        ArchivePathParts parts = splitArchivePath(c.path);
        EXPECT_EQ(parts.archiveFile, c.file) << c.path;
        EXPECT_EQ(parts.nested, c.nested) << c.path;
        EXPECT_EQ(parts.inside, c.inside) << c.path;
        EXPECT_EQ(normaliseInsidePath(parts.inside), c.normalised) << c.path;
        EXPECT_EQ(shownArchivePath(c.path), c.shown) << c.path;
    }
}

TEST(ArchiveCommands, LinesForEachType) {
    const std::vector<std::string> two{"dir\\a b.txt", "x/y.txt"};
    const struct {
        ArchiveType type;
        const char* extract;
        const char* unpack;
    } cases[] = {
        {ArchiveLzh, "x -cnr \"C:\\o.lzh\" \"dir\\a b.txt\" \"x/y.txt\" ", "x \"C:\\o.lzh\""},
        {ArchiveZip, "-x -o \"C:\\o.lzh\" \"dir/a b.txt\" \"x/y.txt\" ", "-xs \"C:\\o.lzh\""},
        {ArchiveCab, "-x \"C:\\o.lzh\" \"dir\\a b.txt\" \"x\\y.txt\" ", "-x \"C:\\o.lzh\""},
        {ArchiveTar, "-zxvf \"C:\\o.lzh\" \"dir\\a b.txt\" \"x/y.txt\" ", "-zxvf \"C:\\o.lzh\""},
        {ArchiveRar, "", " \"C:\\o.lzh\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(extractCommandLine(c.type, "C:\\o.lzh", two), c.extract) << c.type;
        EXPECT_EQ(unpackCommandLine(c.type, "C:\\o.lzh"), c.unpack) << c.type;
    }
    EXPECT_EQ(unpackCommandLine(ArchiveZip, "\"C:\\a b.zip\""), "-xs \"C:\\a b.zip\"");
    // ZIP turns a trail byte 0x5C into nothing else: "表\x.txt" keeps its character.
    EXPECT_EQ(extractCommandLine(ArchiveZip, "a.zip", {"\x95\x5C\\x.txt"}),
              "-x -o \"a.zip\" \"\x95\x5C/x.txt\" ");
    EXPECT_EQ(memberOfSource("dir\\*"), "dir");
    EXPECT_EQ(memberOfSource("dir/*"), "dir");
    EXPECT_EQ(memberOfSource("a.txt"), "a.txt");
    EXPECT_EQ(packCommandLine(ArchiveTar, "x.tar", {{"a.txt", false}, {"d", true}}),
              "-zcvf \"x.tar\" \"a.txt\" \"d\\*.*\"");
    EXPECT_EQ(packCommandLine(ArchiveZip, "\"p q.zip\"", {{"a", false}}), "-r \"p q.zip\" \"a\"");
    EXPECT_EQ(numberedWorkDirectory("C:\\w\\V_WORK\\W_ARCHIVE", 3, "C:\\a\\b.lzh"),
              "C:\\w\\V_WORK\\W_ARCHIVE\\3b.lzh");
}
