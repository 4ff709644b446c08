#include "archive/archive_type.h"

#include <gtest/gtest.h>

TEST(ArchiveType, ByExtensionInTableOrder) {
    const struct {
        const char* path;
        ArchiveType type;
    } cases[] = {
        {"a.LZH", ArchiveLzh},        {"C:\\x\\archive.JAR", ArchiveZip},
        {"setup.ex_", ArchiveCab},    {"data.tar.gz", ArchiveTar},
        {"\"C:\\a b\\x.tgz\"", ArchiveTar}, {"x.Gz2", ArchiveTar},
        {"x.bz2", ArchiveTar},        {"y.rar", ArchiveRar},
        {"z.ish", ArchiveIsh},        {"readme.txt", ArchiveNone},
        {"noext", ArchiveNone},       {"C:\\d.zip\\file", ArchiveNone},
        {"\x95\x5C.zip", ArchiveZip},  // a trail byte 0x5C is no separator
    };
    for (const auto& c : cases) EXPECT_EQ(archiveTypeOf(c.path), c.type) << c.path;
    EXPECT_TRUE(isBrowsableType(ArchiveTar));
    EXPECT_FALSE(isBrowsableType(ArchiveRar));
    EXPECT_FALSE(isBrowsableType(ArchiveIsh));
    EXPECT_EQ(readerRecordFor(ArchiveRar), nullptr);
    EXPECT_STREQ(readerRecordFor(ArchiveZip)->findNextName, "UnZipFindNext");
    EXPECT_EQ(readerRecordFor(ArchiveCab)->openMode, 0u);
    EXPECT_EQ(readerRecordFor(ArchiveLzh)->openMode, 16898u);
}

TEST(ArchiveType, AutoPackTypeAndOptions) {
    const struct {
        const char* name;
        ArchiveType type;
        const char* option;
    } cases[] = {
        {"x.lzh", ArchiveLzh, "a -d"}, {"X.ZIP", ArchiveZip, "-r"},  {"x.cab", ArchiveCab, "-a -r"},
        {"x.tar", ArchiveTar, "-zcvf"}, {"x.tar.gz", ArchiveTar, "-zcvf"},
        {"x.TGZ", ArchiveNone, ""},    {"zip", ArchiveNone, ""},     {"x.jar", ArchiveNone, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(autoPackType(c.name), c.type) << c.name;
        EXPECT_EQ(packOption(c.type), c.option) << c.name;
    }
    EXPECT_STREQ(packEntryFor(ArchiveZip).libraryName, "ZIP32J.DLL");
    EXPECT_STREQ(unpackEntryFor(ArchiveZip).functionName, "UnZip");
    EXPECT_STREQ(unpackEntryFor(ArchiveRar).libraryName, "UNRAR32.DLL");
    EXPECT_EQ(packEntryFor(ArchiveRar).libraryName, nullptr);
    EXPECT_EQ(unpackEntryFor(ArchiveIsh).libraryName, nullptr);
}
