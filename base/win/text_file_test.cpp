// A table written over the old one: whole, or not at all.
#include "base/text_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/win/handle.h"
#include "testing/win/scratch_directory.h"

namespace {
FileHandle openShared(const std::string& path, DWORD share) {
    return FileHandle{CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr)};
}
}  // namespace

TEST(TextFile, ReplacesTheOldTextAndLeavesNothingBeside) {
    struct Case {
        const char* what;
        std::string name;
        DWORD heldShare;  // a reader holding the file open with this share, or 0 for none
    };
    const Case cases[] = {
        {"no reader", "KEY.TBL", 0},
        // 表: the trail byte is the path separator's.
        {"trail-byte name", "\x95\x5c.tbl", 0},
        // Wine refuses to replace a file any handle holds: written in place.
        {"reader that shares writing", "a b.tbl", FILE_SHARE_READ | FILE_SHARE_WRITE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchDirectory scratch;
        const std::string path = scratch / c.name;
        ASSERT_TRUE(writeTextFile(path, std::string(5000, 'o') + "\r\n"));
        FileHandle reader;
        if (c.heldShare) {
            reader = openShared(path, c.heldShare);
            ASSERT_TRUE(reader);
        }
        ASSERT_TRUE(writeTextFile(path, "new\r\n"));
        reader.reset();
        EXPECT_EQ(readTextFile(path), "new\r\n");
        EXPECT_FALSE(fileExists(path + ".vbnew"));
    }
}

TEST(TextFile, AFailedWriteLeavesTheOldFileWhole) {
    ScratchDirectory scratch;
    const std::string path = scratch / "KEY.TBL";
    ASSERT_TRUE(writeTextFile(path, "old\r\n"));
    // The place beside it taken by a folder: nothing can be written there,
    // as on a full disk.
    ASSERT_TRUE(scratch.makeDirectory("KEY.TBL.vbnew"));
    EXPECT_FALSE(writeTextFile(path, "new\r\n"));
    EXPECT_EQ(readTextFile(path), "old\r\n");
    EXPECT_FALSE(writeTextFile(scratch / "absent\\KEY.TBL", "new\r\n"));
}
