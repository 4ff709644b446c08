// LZH: our -lh5-, -lh6- and -lh7- unpacked by lhasa; headers of levels 0
// and 1 written here from the format description, read back by us.
#include <gtest/gtest.h>

#include <filesystem>

#include "archivers/core/crc16.h"
#include "archivers/core/error_code.h"
#include "archivers/core/le_bytes.h"
#include "archivers/core/lzh_decoder.h"
#include "archivers/core/lzh_encoder.h"
#include "archivers/core/lzh_reader.h"
#include "archivers/tests/test_support.h"

namespace arctest {
namespace {

using arc::put16;
using arc::put32;

TEST(LzhInterop, WhatWePackLhasaUnpacksByteForByte) {
    if (!haveTool("lha")) GTEST_SKIP() << "lhasa missing";
    for (Packer p : {Packer::Lh5, Packer::Lh6, Packer::Lh7}) {
        SCOPED_TRACE(static_cast<int>(p));
        TempDir dir;
        makeSampleTree(dir / "src");
        writeFile(dir / "src/big.bin", sampleBytes(300000, 9));  // beyond every dictionary and block
        ASSERT_EQ(packTree(p, dir / "src", {"*.*"}, "ours.lzh"), 0);
        std::filesystem::create_directories(dir / "out");
        ASSERT_EQ(run(dir / "out", "lha -xq ../src/ours.lzh"), 0);
        std::filesystem::rename(dir / "src/ours.lzh", dir / "ours.lzh");
        expectSameFiles(dir / "src", dir / "out", true);  // lhasa keeps Shift-JIS names as bytes
        // Our own reader agrees.
        std::filesystem::create_directories(dir / "back");
        auto r = extractArchive(Format::Lzh, dir / "ours.lzh", dir / "back");
        EXPECT_EQ(r.code, 0) << r.log;
        expectSameFiles(dir / "src", dir / "back");
    }
}

// One header of level 0 or 1 around `data` (already in `method`).
std::string oldHeader(int level, const std::string& method, const std::string& name, const std::string& data,
                      std::uint32_t original, std::uint16_t crc) {
    std::string h;
    h += '\0';
    h += '\0';
    h += method;
    std::string ext;
    if (level == 1) {
        put16(ext, 5);
        ext += '\x40';
        put16(ext, 0x20);
    }
    put32(h, static_cast<std::uint32_t>(data.size() + (level == 1 ? 5 : 0)));
    put32(h, original);
    put16(h, 0x6000);  // 12:00:00
    put16(h, (44 << 9) | (3 << 5) | 4);  // 2024-03-04
    h += level == 1 ? '\x20' : '\x20';
    h += static_cast<char>(level);
    h += static_cast<char>(name.size());
    h += name;
    put16(h, crc);
    if (level == 1) {
        h += 'M';
        put16(h, 5);
        ext = ext.substr(2);  // the first size sits in the base header
        put16(ext, 0);
    }
    h[0] = static_cast<char>(h.size() - 2);
    unsigned char sum = 0;
    for (std::size_t i = 2; i < h.size(); ++i) sum = static_cast<unsigned char>(sum + h[i]);
    h[1] = static_cast<char>(sum);
    return h + ext + data;
}

TEST(LzhReader, OldHeaderLevelsAndDamage) {
    std::string text = sampleBytes(20000, 4) + std::string(5000, 'z');
    std::uint16_t crc = arc::crc16Update(0, text.data(), text.size());
    StringSink packed;
    MemoryStream in(text);
    auto e = arc::lzhEncode(in, packed, 13);
    ASSERT_EQ(e.code, 0);
    const std::string sjisName = "dir\\\x95\x5C.txt";  // 表 with its 0x5C trail byte
    struct Case {
        const char* what;
        std::string archive;
        int code;
        const char* name;
    };
    std::string good0 = oldHeader(0, "-lh0-", sjisName, text, static_cast<std::uint32_t>(text.size()), crc);
    std::string good1 = oldHeader(1, "-lh5-", sjisName, packed.bytes, static_cast<std::uint32_t>(text.size()), crc);
    std::string badCrc = oldHeader(1, "-lh5-", "x", packed.bytes, static_cast<std::uint32_t>(text.size()), crc ^ 1);
    std::string badSum = good0;
    badSum[1] = static_cast<char>(badSum[1] + 1);
    std::string cut = good1.substr(0, good1.size() - 100);
    std::string huge = oldHeader(1, "-lh5-", "x", packed.bytes, 0xFFFFFFF0u, crc);
    std::string unknown = oldHeader(0, "-lh9-", "x", "abc", 3, 0);
    const Case cases[] = {
        {"level 0 stored", good0 + '\0', 0, "dir/\x95\x5C.txt"},
        {"level 1 lh5", good1 + '\0', 0, "dir/\x95\x5C.txt"},
        {"no end mark", good1, 0, "dir/\x95\x5C.txt"},
        {"data crc", badCrc, arc::kErrorFileCrc, "x"},
        {"header sum", badSum, arc::kErrorHeaderCrc, nullptr},
        {"cut data", cut, arc::kErrorBrokenData, nullptr},
        {"claims 4 GB", huge, arc::kErrorBrokenData, "x"},
        {"unknown method", unknown, arc::kErrorMethod, "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        arc::MemorySource source(c.archive);
        arc::LzhReader reader(source);
        arc::Member m;
        bool listed = reader.next(m);
        if (!c.name) {
            EXPECT_FALSE(listed);
            EXPECT_EQ(reader.error(), c.code);
            continue;
        }
        ASSERT_TRUE(listed);
        EXPECT_EQ(m.name, c.name);
        EXPECT_EQ(m.dosDate, (44 << 9) | (3 << 5) | 4);
        StringSink out;
        EXPECT_EQ(reader.extract(out), c.code);
        if (c.code == 0) EXPECT_TRUE(out.bytes == text);
    }
}

}  // namespace
}  // namespace arctest
