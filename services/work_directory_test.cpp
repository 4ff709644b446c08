#include "services/work_directory.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkDirectoryRemoval, OnlyPathsInsideVWorkAndWithoutTrailingSeparator) {
    std::string path = "C:\\tmp\\V_WORK\\W_ARCHIVE\\";
    EXPECT_TRUE(mayRemoveWorkDirectory(path));
    EXPECT_EQ(path, "C:\\tmp\\V_WORK\\W_ARCHIVE");

    path = "C:\\tmp\\V_WORK\\W_FTP";
    EXPECT_TRUE(mayRemoveWorkDirectory(path));
    EXPECT_EQ(path, "C:\\tmp\\V_WORK\\W_FTP");

    for (const char* refused : {"C:\\tmp\\", "C:\\tmp\\v_work\\W_FTP", "C:\\", ""}) {
        path = refused;
        EXPECT_FALSE(mayRemoveWorkDirectory(path)) << refused;
        EXPECT_EQ(path, refused);
    }

    // The trail byte 0x5C of a double-byte character stays.
    path = "C:\\V_WORK\\\x95\x5C";
    EXPECT_TRUE(mayRemoveWorkDirectory(path));
    EXPECT_EQ(path, "C:\\V_WORK\\\x95\x5C");
    // "V" (0x56) as a trail byte does not begin the marker.
    path = "C:\\\x83V_WORK";
    EXPECT_FALSE(mayRemoveWorkDirectory(path));
}

TEST(WorkDirectoryRemoval, DirectoryChainSkipsEmptyComponents) {
    EXPECT_EQ(directoryChain("C:\\a\\\\b\\"), (std::vector<std::string>{"C:\\a", "C:\\a\\\\b"}));
    EXPECT_TRUE(directoryChain("C:\\").empty());
    EXPECT_EQ(workDirectoryName(2), "V_WORK\\W_ARCHIVE");
    EXPECT_EQ(workDirectoryName(9), "");
}

}  // namespace
