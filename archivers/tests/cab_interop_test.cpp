// CAB both ways: our CAB32.DLL (through FDI and FCI, run under Wine by a
// small host program) against gcab and cabextract.
#include <gtest/gtest.h>

#include <filesystem>

#include "archivers/core/cab_checksum.h"
#include "archivers/core/error_code.h"
#include "archivers/tests/test_support.h"

namespace arctest {
namespace {

bool cabReady() {
    return std::filesystem::exists(std::string(ARC_WIN_BIN) + "/CAB32.DLL") &&
           std::filesystem::exists(std::string(ARC_WIN_BIN) + "/archiver_cli.exe") && haveTool("wine") &&
           haveTool("gcab") && haveTool("cabextract");
}

int cab(const std::string& directory, const std::string& line) {
    return run(directory, std::string(ARC_WINE_EXEC) + " '" + ARC_WIN_BIN + "/archiver_cli.exe' CAB32.DLL Cab '" + line + "'");
}

// Cabinet names carry no code page of their own: the tree is ASCII here.
void makeAsciiTree(const std::string& root) {
    writeFile(root + "/a.txt", sampleBytes(100000, 11));
    writeFile(root + "/empty.txt", "");
    writeFile(root + "/dir/sub/run.dat", std::string(70000, 'r') + sampleBytes(5000, 12));
    writeFile(root + "/dir/b.bin", sampleBytes(40000, 13));
}

TEST(CabInterop, WhatGcabPacksWeUnpackByteForByte) {
    if (!cabReady()) GTEST_SKIP() << "needs the Windows tree, Wine, gcab and cabextract";
    for (const char* compression : {"", "-z "}) {
        SCOPED_TRACE(compression);
        TempDir dir;
        makeAsciiTree(dir / "src");
        ASSERT_EQ(run(dir / "src", std::string("gcab -c ") + compression + "../t.cab a.txt empty.txt dir/sub/run.dat dir/b.bin"), 0);
        std::filesystem::create_directories(dir / "out");
        ASSERT_EQ(cab(dir / "out", "-x ../t.cab"), 0);
        expectSameFiles(dir / "src", dir / "out");
    }
}

TEST(CabInterop, WhatWePackCabextractUnpacksByteForByte) {
    if (!cabReady()) GTEST_SKIP() << "needs the Windows tree, Wine, gcab and cabextract";
    TempDir dir;
    makeAsciiTree(dir / "src");
    ASSERT_EQ(cab(dir / "src", "-a -r ours.cab *.*"), 0);
    std::filesystem::rename(dir / "src/ours.cab", dir / "ours.cab");
    std::filesystem::create_directories(dir / "out");
    ASSERT_EQ(run(dir / "out", "cabextract -q ../ours.cab"), 0);
    expectSameFiles(dir / "src", dir / "out");
    // A damaged cabinet leaves no file behind.
    std::string bytes = readFile(dir / "ours.cab");
    bytes[bytes.size() - 3000] ^= 0x55;
    writeFile(dir / "bad.cab", bytes);
    std::filesystem::create_directories(dir / "bad");
    EXPECT_NE(cab(dir / "bad", "-x ../bad.cab"), 0);
    int complete = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir / "bad")) {
        if (!e.is_regular_file()) continue;
        auto rel = std::filesystem::relative(e.path(), dir / "bad").string();
        EXPECT_EQ(rel.find(".part"), std::string::npos) << rel;
        EXPECT_TRUE(readFile(e.path().string()) == readFile((dir / "src") + "/" + rel)) << rel;
        ++complete;
    }
    EXPECT_EQ(complete, 0);
}

TEST(CabChecksum, WhatGcabWritesPassesAndDamageIsSeen) {
    if (!haveTool("gcab")) GTEST_SKIP() << "gcab missing";
    TempDir dir;
    makeAsciiTree(dir / "src");
    ASSERT_EQ(run(dir / "src", "gcab -cz ../t.cab a.txt dir/b.bin"), 0);
    std::string bytes = readFile(dir / "t.cab");
    arc::MemorySource good(bytes);
    EXPECT_EQ(arc::checkCabinetData(good), 0);
    std::string bad = bytes;
    bad[bad.size() - 100] ^= 1;
    arc::MemorySource damaged(bad);
    EXPECT_EQ(arc::checkCabinetData(damaged), arc::kErrorBrokenData);
    arc::MemorySource cut(std::string_view(bytes).substr(0, bytes.size() - 10));
    EXPECT_EQ(arc::checkCabinetData(cut), arc::kErrorBrokenData);
}

}  // namespace
}  // namespace arctest
