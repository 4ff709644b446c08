#include "base/path.h"

#include <gtest/gtest.h>

TEST(PathForms, Classification) {
    EXPECT_TRUE(isFtpPath("|host/pub"));
    EXPECT_FALSE(isFtpPath("host|x"));
    EXPECT_FALSE(isFtpPath(""));
    EXPECT_TRUE(isArchivePath("C:\\a.zip>dir"));
    EXPECT_TRUE(isArchivePath("|host/a.lzh>"));
    EXPECT_FALSE(isArchivePath("C:\\dir"));
    EXPECT_TRUE(isDrivePath("C:\\"));
    EXPECT_FALSE(isDrivePath("C:"));
    EXPECT_FALSE(isDrivePath("C:dir"));
    EXPECT_FALSE(isDrivePath("\\\\srv\\share"));
}

TEST(PathForms, ExtensionIsTheTextAfterTheLastDot) {
    EXPECT_EQ(extensionOf("archive.tar.gz"), "gz");
    EXPECT_EQ(extensionOf("README"), "");
    EXPECT_EQ(extensionOf("name."), "");
    EXPECT_EQ(extensionOf(".."), "");
    EXPECT_EQ(extensionOf("\x95\x5C.TXT"), "TXT");
}

TEST(PathJoin, LocalDirectories) {
    EXPECT_EQ(joinPath("C:\\dir", "*.*"), "C:\\dir\\*.*");
    EXPECT_EQ(joinPath("C:\\", "*.*"), "C:\\*.*");
    EXPECT_EQ(joinPath("C:\\a\\\\b", "c"), "C:\\a\\b\\c");
    EXPECT_EQ(joinPath("C:\\dir\\", "\\x"), "C:\\dir\\x");
    EXPECT_EQ(joinPath("", "name"), "name");
}

TEST(PathJoin, NoSeparatorAfterArchiveMarkOrNetworkForm) {
    EXPECT_EQ(joinPath("C:\\a.zip>", "doc"), "C:\\a.zip>doc");
    EXPECT_EQ(joinPath("C:\\a.zip>sub", "doc"), "C:\\a.zip>sub\\doc");
    EXPECT_EQ(joinPath("//", "WORKGROUP"), "//WORKGROUP");
}

TEST(PathJoin, UncKeepsItsLeadingPair) {
    EXPECT_EQ(joinPath("\\\\srv\\share", "*.*"), "\\\\srv\\share\\*.*");
    EXPECT_EQ(joinPath("\\\\srv\\share\\\\", "x"), "\\\\srv\\share\\x");
    EXPECT_EQ(joinPath("\\\\\\srv", "x"), "\\\\srv\\x");
    // A name that is itself a UNC path stands alone.
    EXPECT_EQ(joinPath("C:\\dir", "\\\\srv\\x"), "\\\\srv\\x");
}

TEST(PathJoin, FtpPathsUseSlash) {
    EXPECT_EQ(joinPath("|host/pub", "file"), "|host/pub/file");
    EXPECT_EQ(joinPath("|host/pub/", "file"), "|host/pub/file");
    EXPECT_EQ(joinPath("|host/pub\\", "file"), "|host/pub/file");
    EXPECT_EQ(joinPath("|host", "\\file"), "|host/file");
}

TEST(PathJoin, TrailByteBackslashIsNoSeparator) {
    // "\x95\x5C" ends in the byte of "\" yet is one character.
    EXPECT_EQ(joinPath("C:\\\x95\x5C", "*.*"), "C:\\\x95\x5C\\*.*");
    EXPECT_EQ(joinPath("C:\\\x95\x5C\\", "x"), "C:\\\x95\x5C\\x");
    EXPECT_EQ(joinPath("|h/\x95\x5C", "x"), "|h/\x95\x5C/x");
}

TEST(PathForms, LastComponentAfterEitherSeparator) {
    const struct {
        const char* path;
        const char* last;
    } cases[] = {
        {"C:\\dir\\name.txt", "name.txt"},
        {"C:\\\x95\x5c", "\x95\x5c"},                 // C:\表: the trail byte stays
        {"C:\\dir\\\x83\x5c\x83\x5c", "\x83\x5c\x83\x5c"},  // ソソ
        {"|host/pub/a b", "a b"},
        {"C:\\dir\\", ""},
        {"name", "name"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(lastComponent(c.path), c.last) << c.path;
}
