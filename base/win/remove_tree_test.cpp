// The one recursive delete, on the real file system.
#include "base/win/remove_tree.h"

#include <gtest/gtest.h>

#include "base/win/file_kind.h"
#include "testing/win/scratch_directory.h"

TEST(RemoveTree, TakesReadOnlyAndTrailByteNamesAlongAndLeavesNeighbours) {
    ScratchDirectory scratch;
    const std::string top = "\x95\x5c";         // 表
    const std::string inner = top + "\\\x83\x5c";  // 表\ソ
    ASSERT_TRUE(scratch.makeDirectory(top));
    ASSERT_TRUE(scratch.makeDirectory(inner));
    ASSERT_TRUE(scratch.writeFile(inner + "\\a b.txt", "x", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(scratch.writeFile(top + "\\\x83\x5c.txt", "y", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(scratch.writeFile("neighbour.txt", "z"));
    SetFileAttributesA((scratch / inner).c_str(), FILE_ATTRIBUTE_READONLY);

    removeTree(scratch / top);

    EXPECT_FALSE(fileExists(scratch / top));
    EXPECT_TRUE(isFile(scratch / "neighbour.txt"));
    EXPECT_TRUE(isDirectory(scratch.path()));
    removeTree(scratch / "absent");  // nothing there: nothing happens
    EXPECT_TRUE(isFile(scratch / "neighbour.txt"));
}
