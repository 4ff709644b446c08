#include "archive/win/archive_work.h"

#include <gtest/gtest.h>

#include <set>

#include "archive/win/archive_listing_reader.h"
#include "services/win/ini_profile.h"
#include "testing/win/archiver_command.h"
#include "testing/win/scratch_directory.h"

// Two instances share the work folder, each with a running number of its
// own starting at 0: no two extractions may land in one directory.
TEST(ArchiveWork, FreshDirectoriesNeverShared) {
    ScratchDirectory dir{"vbwork"};
    IniProfile profile(dir / "Vorbin.ini");
    Settings first(profile, dir.path() + "\\"), second(profile, dir.path() + "\\");
    first.FtpWork = second.FtpWork = dir / "w";
    ArchiveWork a(first), b(second);
    std::set<std::string> made;
    const std::string names[] = {"a.lzh", "a.lzh", "\x95\x5c.zip", "a.lzh"};
    for (const std::string& name : names) {
        for (ArchiveWork* work : {&a, &b}) {
            const std::string fresh = work->freshDirectory("C:\\x\\" + name);
            ASSERT_FALSE(fresh.empty());
            EXPECT_TRUE(fresh.ends_with(name)) << fresh;
            EXPECT_TRUE(made.insert(fresh).second) << fresh;
            EXPECT_EQ(GetFileAttributesA(fresh.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
        }
    }
    EXPECT_EQ(made.size(), 8u);
}

// A ZIP inside an LZH, read and extracted through the libraries beside the
// program. The folder "表" ends in the trail byte 0x5C, which the C library's
// stat takes for a separator: the packer must not drop it.
TEST(ArchiveWork, NestedArchiveListedAndItsMemberExtracted) {
    ScratchDirectory dir{"vbnest"};
    ASSERT_TRUE(dir.makeDirectory("src"));
    ASSERT_TRUE(dir.makeDirectory("src\\d"));
    ASSERT_TRUE(dir.makeDirectory("src\\d\\\x95\x5c"));
    ASSERT_TRUE(dir.writeFile("src\\d\\\x95\x5c\\leaf.txt", "leaf"));
    ASSERT_EQ(runArchiverCommand("ZIP32J.DLL", "Zip", "-r \"in.zip\" \"d\\*.*\"", dir / "src"), 0);
    ASSERT_EQ(runArchiverCommand("UNLHA32.DLL", "Unlha", "a \"..\\out.lzh\" in.zip", dir / "src"), 0);
    IniProfile profile(dir / "Vorbin.ini");
    Settings settings(profile, dir.path() + "\\");
    settings.FtpWork = dir / "w";
    ArchiveWork work(settings);
    ArchiveListingReader reader(work);

    const std::string outer = dir / "out.lzh";
    const struct {
        std::string path;
        std::vector<std::string> shown;
    } cases[] = {
        {outer, {"..", "in.zip"}},
        {outer + ">in.zip", {"..", "d"}},
        {outer + ">in.zip>d", {"..", "\x95\x5c"}},
        {outer + ">in.zip>D\\\x95\x5c\\", {"..", "leaf.txt"}},
    };
    for (const auto& c : cases) {
        FileList list;
        ASSERT_TRUE(reader.read(c.path, list)) << c.path;
        std::vector<std::string> shown;
        for (std::size_t i = 0; i < list.count(); ++i) shown.emplace_back(list[i].name());
        EXPECT_EQ(shown, c.shown) << c.path;
    }
    FileList none;
    EXPECT_FALSE(reader.read(dir / "missing.zip", none));
    EXPECT_FALSE(reader.read(dir / "src", none));

    const std::string leaf = work.extractEntry(outer + ">in.zip>d\\\x95\x5c\\leaf.txt");
    ASSERT_FALSE(leaf.empty());
    EXPECT_TRUE(leaf.ends_with("\\d\\\x95\x5c\\leaf.txt")) << leaf;
    EXPECT_NE(GetFileAttributesA(leaf.c_str()), INVALID_FILE_ATTRIBUTES);
    // A folder copied out comes as one path, the folder itself.
    const std::vector<std::string> folder = work.extractSources({outer + ">in.zip>d\\*"});
    ASSERT_EQ(folder.size(), 1u);
    EXPECT_TRUE(folder.front().ends_with("\\d")) << folder.front();
    EXPECT_NE(GetFileAttributesA((folder.front() + "\\\x95\x5c\\leaf.txt").c_str()),
              INVALID_FILE_ATTRIBUTES);
}
