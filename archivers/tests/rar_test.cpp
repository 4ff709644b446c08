// RAR 4 and RAR 5: listing, stored members, compressed members refused
// without a trace on disk, damaged headers.
#include <gtest/gtest.h>

#include <filesystem>

#include "archivers/core/error_code.h"
#include "archivers/core/extract_run.h"
#include "archivers/core/rar_reader.h"
#include "archivers/tests/rar_builder.h"
#include "archivers/tests/test_support.h"

namespace arctest {
namespace {

TEST(RarReader, ListsAllAndExtractsOnlyStoredMembers) {
    const std::string text = sampleBytes(30000, 5);
    struct Case {
        const char* what;
        std::string archive;
    };
    const Case cases[] = {
        {"rar4", rar4({rarDirectory("\x95\x5C"), rarStored("\x95\x5C\\\x83\x5C.txt", text),
                       rarCompressed("packed.txt", 9000), rarStored("after.txt", "after")})},
        {"rar5", rar5({rarDirectory("表"), rarStored("表/ソ.txt", text), rarCompressed("packed.txt", 9000),
                       rarStored("after.txt", "after")})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        IconvCodec codec;
        arc::MemorySource source(c.archive);
        arc::RarReader lister(source, codec);
        std::vector<std::string> names;
        arc::Member m;
        while (lister.next(m)) names.push_back(m.name + (m.isDirectory ? "/" : "") + " " + m.method);
        EXPECT_EQ(lister.error(), 0);
        EXPECT_EQ(names[0], "\x95\x5C/ Stored");
        EXPECT_EQ(names[1], "\x95\x5C/\x83\x5C.txt Stored");
        EXPECT_EQ(names[2].rfind("packed.txt ", 0), 0u) << names[2];
        EXPECT_EQ(names[2].find("Stored"), std::string::npos) << names[2];
        EXPECT_EQ(names.size(), 4u);

        TempDir dir;
        auto disk = utf8Disk(dir.path());
        arc::RarReader reader(source, codec);
        std::string log;
        auto r = arc::extractMembers(reader, disk, {}, log);
        EXPECT_EQ(r.code, arc::kErrorMethod) << log;
        EXPECT_EQ(r.extracted, 2);
        EXPECT_TRUE(readFile(dir / "表/ソ.txt") == text);
        EXPECT_EQ(readFile(dir / "after.txt"), "after");
        int files = 0;
        for (const auto& e : std::filesystem::recursive_directory_iterator(dir.path())) files += e.is_regular_file();
        EXPECT_EQ(files, 2);  // nothing of packed.txt, not even a temporary
    }
}

TEST(RarReader, DamageEndsWithAnErrorCode) {
    std::string good4 = rar4({rarStored("a.txt", "hello")});
    std::string good5 = rar5({rarStored("a.txt", "hello")});
    std::string crc4 = good4;
    crc4[7 + 13 + 2 + 8] ^= 1;  // a byte inside the file header
    std::string crc5 = good5;
    crc5[crc5.size() - 20] ^= 1;
    std::string data4 = rar4({rarStored("a.txt", "hello")});
    data4[data4.size() - 8] ^= 1;  // the stored bytes: CRC mismatch
    auto huge5 = rar5({rarStored("a.txt", "hello")});
    struct Case {
        const char* what;
        std::string archive;
        int listError;
        int extractError;
    };
    const Case cases[] = {
        {"rar4 header crc", crc4, arc::kErrorHeaderCrc, -1},
        {"rar5 header crc", crc5, arc::kErrorHeaderCrc, -1},
        {"rar4 data crc", data4, 0, arc::kErrorFileCrc},
        {"rar4 cut", good4.substr(0, good4.size() - 12), arc::kErrorBrokenData, -1},
        {"rar5 cut", good5.substr(0, good5.size() - 12), arc::kErrorBrokenData, -1},
        {"not rar", "Rar?\x1A\x07\x00xxxxxxx", arc::kErrorNotArcFile, -1},
        {"rar5 size runs on", std::string("Rar!\x1A\x07\x01\x00\x00\x00\x00\x00\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x01", 23),
         arc::kErrorHeaderBroken, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        arc::AsciiCodec codec;
        arc::MemorySource source(c.archive);
        arc::RarReader reader(source, codec);
        arc::Member m;
        bool listed = reader.next(m);
        if (c.extractError < 0) {
            EXPECT_FALSE(listed);
            EXPECT_EQ(reader.error(), c.listError);
            continue;
        }
        ASSERT_TRUE(listed);
        StringSink out;
        EXPECT_EQ(reader.extract(out), c.extractError);
    }
}

}  // namespace
}  // namespace arctest
