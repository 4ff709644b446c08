// A table written over the old one: whole, or not at all.
#include "base/text_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "base/win/handle.h"
#include "testing/win/scratch_directory.h"

namespace {
FileHandle openShared(const std::string& path, DWORD share) {
    return FileHandle{CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr)};
}
// The name of a file a write left beside its table, or "".
std::string leftBeside(const ScratchDirectory& scratch) {
    WIN32_FIND_DATAA found;
    FindHandle left{FindFirstFileA((scratch / "*.vbnew").c_str(), &found)};
    return left ? found.cFileName : "";
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
        EXPECT_EQ(leftBeside(scratch), "");
    }
}

TEST(TextFile, AFailedWriteLeavesTheOldFileWhole) {
    ScratchDirectory scratch;
    const std::string path = scratch / "KEY.TBL";
    ASSERT_TRUE(writeTextFile(path, "old\r\n"));
    // The place beside it taken by a folder: nothing can be written there,
    // as on a full disk.
    ASSERT_TRUE(CreateDirectoryA(asideFileName(path).c_str(), nullptr));
    EXPECT_FALSE(writeTextFile(path, "new\r\n"));
    EXPECT_EQ(readTextFile(path), "old\r\n");
    EXPECT_FALSE(writeTextFile(scratch / "absent\\KEY.TBL", "new\r\n"));
}

// Instances save the same table at once while others read it back: every
// save lands, and no reader ever finds it part-written.
TEST(TextFile, WritersAtOnceAllSucceedAndLeaveItWhole) {
    ScratchDirectory scratch;
    const std::string path = scratch / "Color.tbl";
    const std::string text = std::string(20000, 'c') + "\r\n";
    ASSERT_TRUE(writeTextFile(path, text));
    std::atomic<int> failed{0}, torn{0};
    std::atomic<bool> writing{true};
    std::vector<std::thread> threads;
    for (int t = 0; t < 6; ++t)
        threads.emplace_back([&] {
            for (int n = 0; n < 40; ++n)
                if (!writeTextFile(path, text)) ++failed;
        });
    std::thread reader([&] {
        while (writing)
            if (readTextFile(path) != text) ++torn;
    });
    for (std::thread& t : threads) t.join();
    writing = false;
    reader.join();
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(readTextFile(path), text);
    EXPECT_EQ(leftBeside(scratch), "");
}
