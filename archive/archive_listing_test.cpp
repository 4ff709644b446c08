#include "archive/archive_listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::uint64_t plusHour(std::uint64_t local) { return local + 36000000000ULL; }

// Lists members as a library would hand them, and gives "name:d" or "name:f".
std::vector<std::string> level(const char* inside, std::vector<ArchiveMember> members) {
    ArchiveLevel level(inside, plusHour);
    for (const ArchiveMember& m : members) level.add(m);
    FileList list = level.take();
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < list.count(); ++i)
        shown.push_back(std::string(list[i].name()) + (list[i].isDirectory() ? ":d" : ":f"));
    return shown;
}

ArchiveMember file(const char* name) { return {name, "A", 10, 0x5A21, 0x6000}; }

}  // namespace

TEST(ArchiveListing, OneLevelOfTheMembers) {
    using V = std::vector<std::string>;
    const struct {
        const char* inside;
        std::vector<ArchiveMember> members;
        V shown;
    } cases[] = {
        {"", {}, {}},
        {"", {file("a/b/c.txt")}, {"..:d", "a:d"}},
        {"a", {file("a/b/c.txt")}, {"..:d", "b:d"}},
        {"A\\B\\", {file("a/b/c.txt")}, {"..:d", "c.txt:f"}},
        {"", {file("top.txt"), file("d/1"), file("d/2"), file("D/3"), {"d/", "D", 0, 0, 0}},
         {"..:d", "top.txt:f", "d:d", "D:d"}},
        // The separator of the archive is the first one seen.
        {"dir/", {file("dir\\x.txt"), file("dir\\sub\\y.txt"), file("other.txt")},
         {"..:d", "x.txt:f", "sub:d"}},
        // Empty rests, "//" and a folder stored as a member of its own.
        {"d", {file("d/"), file("d//evil"), file("d/e"), {"d/s", "D", 0, 0, 0}, file("d/s/t")},
         {"..:d", "e:f", "s:d"}},
        {"", {{"plain", "", 0, 0, 0}, {"\x95\x5C\\x", "A", 0, 0, 0}}, {"..:d", "plain:f", "\x95\x5C:d"}},
    };
    for (const auto& c : cases) EXPECT_EQ(level(c.inside, c.members), c.shown) << c.inside;
}

TEST(ArchiveListing, FieldsOfAFileEntry) {
    ArchiveLevel level("", plusHour);
    level.add({"x.txt", "", 1234, 0x5A21, 0x6000});  // 2025-01-01 12:00:00 local
    level.add({std::string(300, 'n') + ".txt", "A", 1, 0, 0});
    FileList list = level.take();
    ASSERT_EQ(list.count(), 3u);
    const FileEntry& e = list[1];
    EXPECT_EQ(e.dwFileAttributes, AttrArchive);
    EXPECT_EQ(e.nFileSizeLow, 1234u);
    EXPECT_EQ(e.ftLastWriteTime.value(), dosToLocalFileTime(0x5A21, 0x6000) + 36000000000ULL);
    // 2025-01-01 12:00 is 133801200000000000 in 100 ns since 1601.
    EXPECT_EQ(dosToLocalFileTime(0x5A21, 0x6000), 133802064000000000ULL);
    EXPECT_EQ(list[2].name().size(), 259u);
    EXPECT_EQ(e.marked, 0);
    EXPECT_EQ(e.kind, 0);
}
