// ZIP both ways against Info-ZIP's zip and unzip.
#include <gtest/gtest.h>

#include <filesystem>

#include "archivers/core/zip_reader.h"
#include "archivers/tests/test_support.h"

namespace arctest {
namespace {

TEST(ZipInterop, WhatZipPacksWeUnpackByteForByte) {
    if (!haveTool("zip")) GTEST_SKIP() << "zip missing";
    struct Case {
        const char* what;
        const char* command;
    };
    const Case cases[] = {
        {"deflate", "LANG=C.UTF-8 zip -qr ../t.zip ."},
        {"stored", "LANG=C.UTF-8 zip -qr0 ../t.zip ."},
        {"zip64 records", "LANG=C.UTF-8 zip -qr -fz ../t.zip ."},
        {"data descriptors", "LANG=C.UTF-8 zip -qr -fd ../t.zip . && printf 'streamed' | zip -q ../t.zip -"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        makeSampleTree(dir / "src");
        ASSERT_EQ(run(dir / "src", c.command), 0);
        std::filesystem::create_directories(dir / "out");
        auto r = extractArchive(Format::Zip, dir / "t.zip", dir / "out");
        EXPECT_EQ(r.code, 0) << r.log;
        expectSameFiles(dir / "src", dir / "out");
    }
}

TEST(ZipInterop, WhatWePackUnzipUnpacksByteForByte) {
    if (!haveTool("unzip")) GTEST_SKIP() << "unzip missing";
    TempDir dir;
    makeSampleTree(dir / "src");
    ASSERT_EQ(packTree(Packer::Zip, dir / "src", {"*.*"}, "ours.zip"), 0);
    std::filesystem::create_directories(dir / "out");
    // Our names are Shift-JIS without the UTF-8 flag, as the platform writes
    // them; unzip keeps such bytes as they are.
    ASSERT_EQ(run(dir / "out", "unzip -q ../src/ours.zip"), 0);
    std::filesystem::remove(dir / "src/ours.zip");
    expectSameFiles(dir / "src", dir / "out", true);
}

TEST(ZipReader, Utf8NamesBecomeShiftJis) {
    if (!haveTool("zip")) GTEST_SKIP() << "zip missing";
    TempDir dir;
    writeFile(dir / "src/표示_한국어.txt", "korean");  // code page 932 cannot hold these
    writeFile(dir / "src/表ソ.txt", "japanese");
    ASSERT_EQ(run(dir / "src", "LANG=C.UTF-8 zip -q -UN=UTF8 ../t.zip *"), 0);
    auto source = arc::FileSource::open(dir / "t.zip");
    ASSERT_TRUE(source);
    IconvCodec codec;
    arc::ZipReader reader(*source, codec);
    std::vector<std::string> names;
    arc::Member m;
    while (reader.next(m)) names.push_back(m.name);
    EXPECT_EQ(reader.error(), 0);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"_\x8e\xa6____.txt", "\x95\x5C\x83\x5C.txt"}));
}

}  // namespace
}  // namespace arctest
