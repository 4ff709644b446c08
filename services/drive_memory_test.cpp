#include "services/drive_memory.h"

#include <gtest/gtest.h>

TEST(DriveMemory, SlotOfEveryPathForm) {
    EXPECT_EQ(DriveMemory::slotOf("C:\\work", 5), 3);
    EXPECT_EQ(DriveMemory::slotOf("a:", 5), 1);
    EXPECT_EQ(DriveMemory::slotOf("Z:\\", 0), 26);
    EXPECT_EQ(DriveMemory::slotOf("1:\\x", 3), DriveMemory::NoEffect);
    EXPECT_EQ(DriveMemory::slotOf("\\\\server\\share", 3), 0);
    EXPECT_EQ(DriveMemory::slotOf("//", 3), 0);
    EXPECT_EQ(DriveMemory::slotOf("|ftp.example.com/pub", 3), 0);
    EXPECT_EQ(DriveMemory::slotOf("|", 3), 3);
    EXPECT_EQ(DriveMemory::slotOf("sub\\dir", 4), 4);
    EXPECT_EQ(DriveMemory::slotOf("\\root", 4), 4);
    // A double-byte name beginning with what looks like "X:" is not a drive.
    EXPECT_EQ(DriveMemory::slotOf("\x95\x5c", 4), 4);
}

TEST(DriveMemory, BareDriveAndRootRelativePaths) {
    DriveMemory memory;
    memory.set(3, "C:\\Users\\\x95\x5c");
    EXPECT_EQ(memory.prepare("C:", 3), "C:\\Users\\\x95\x5c");
    EXPECT_EQ(memory.prepare("c:", 5), "C:\\Users\\\x95\x5c");
    EXPECT_EQ(memory.prepare("D:", 3), "D:\\");  // nothing remembered: the root
    EXPECT_EQ(memory.prepare("\\temp", 3), "C:\\temp");
    EXPECT_EQ(memory.prepare("\\temp", 0), "\\temp");  // slot 0 has no letter
    EXPECT_EQ(memory.prepare("\\\\server\\share", 3), "\\\\server\\share");
    EXPECT_EQ(memory.prepare("D:\\x", 3), "D:\\x");
}

TEST(DriveMemory, DirectoryForALetterIsTheRememberedOneOrTheRoot) {
    DriveMemory memory;
    memory.set(3, "C:\\Users\\\x95\x5c");
    const struct {
        char letter;
        const char* directory;
    } cases[] = {
        {'C', "C:\\Users\\\x95\x5c"}, {'c', "C:\\Users\\\x95\x5c"}, {'d', "D:\\"},
        {'Z', "Z:\\"}, {'@', ""}, {'[', ""}, {'1', ""}, {'|', ""},
    };
    for (const auto& c : cases) EXPECT_EQ(memory.directoryFor(c.letter), c.directory) << c.letter;
}
