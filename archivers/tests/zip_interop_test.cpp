// ZIP both ways against Info-ZIP's zip and unzip.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "archivers/core/error_code.h"
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
    // Info-ZIP leaves UTF-8 names unflagged here; Python's zipfile sets the flag.
    ASSERT_EQ(run(dir / "src", "LANG=C.UTF-8 zip -q ../t.zip *"), 0);
    ASSERT_EQ(run(dir / "src", "python3 -c \"import zipfile; z = zipfile.ZipFile('../f.zip', 'w'); "
                               "[z.write(n) for n in ['표示_한국어.txt', '表ソ.txt']]; z.close()\""), 0);
    ASSERT_NE(readFile(dir / "f.zip")[7] & 0x08, 0);  // bit 11 of the flags: UTF-8
    for (const char* archive : {"t.zip", "f.zip"}) {
        SCOPED_TRACE(archive);
        auto source = arc::FileSource::open(dir / archive);
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
}

}  // namespace
}  // namespace arctest

namespace arctest {
namespace {

TEST(ZipReader, DamagedMembersLeaveNoFileAndOthersStillCome) {
    if (!haveTool("zip")) GTEST_SKIP() << "zip missing";
    TempDir dir;
    writeFile(dir / "src/good.txt", "good");
    writeFile(dir / "src/stored.txt", std::string(3000, 's'));
    writeFile(dir / "src/deflated.txt", sampleBytes(50000, 8));
    ASSERT_EQ(run(dir / "src", "zip -q0 ../s.zip stored.txt good.txt && zip -q ../d.zip deflated.txt good.txt"), 0);
    struct Case {
        const char* archive;
        const char* damaged;
        std::size_t offset;  // from the start of the member's data
    };
    const Case cases[] = {{"s.zip", "stored.txt", 1000}, {"d.zip", "deflated.txt", 2000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.archive);
        // The first member's data starts after its local header, name and extra field.
        std::size_t local = 30 + std::strlen(c.damaged);
        std::size_t extra = static_cast<unsigned char>(readFile(dir / c.archive)[28]) |
                            (static_cast<unsigned char>(readFile(dir / c.archive)[29]) << 8);
        std::string bytes = readFile(dir / c.archive);
        bytes[local + extra + c.offset] ^= 0x20;
        writeFile(dir / "bad.zip", bytes);
        std::string out = dir / (std::string("out-") + c.archive);
        std::filesystem::create_directories(out);
        auto r = extractArchive(Format::Zip, dir / "bad.zip", out);
        EXPECT_TRUE(r.code == arc::kErrorFileCrc || r.code == arc::kErrorBrokenData) << r.code;
        EXPECT_FALSE(std::filesystem::exists(out + "/" + c.damaged));
        EXPECT_EQ(readFile(out + "/good.txt"), "good");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), std::filesystem::directory_iterator()), 1);
    }
}

}  // namespace
}  // namespace arctest
