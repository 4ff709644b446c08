// tar, tar.gz and tar.bz2 both ways against GNU tar, and hostile entries.
#include <gtest/gtest.h>

#include <filesystem>

#include "archivers/core/error_code.h"
#include "archivers/tests/test_support.h"

namespace arctest {
namespace {

TEST(TarInterop, WhatTarPacksWeUnpackByteForByte) {
    struct Case {
        const char* what;
        const char* command;
    };
    const Case cases[] = {
        {"plain gnu", "tar cf ../t.tar ."},
        {"gzip", "tar czf ../t.tar ."},
        {"bzip2", "tar cjf ../t.tar ."},
        {"bzip2 smallest blocks", "tar cf - . | bzip2 -1 > ../t.tar"},
        {"pax", "tar --format=pax -cf ../t.tar ."},
        {"ustar", "tar --format=ustar -cf ../t.tar ."},
        {"gzip members concatenated", "tar cf ../w . && head -c 20000 ../w | gzip > ../t.tar && tail -c +20001 ../w | gzip >> ../t.tar"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        makeSampleTree(dir / "src");
        // A name past 100 bytes needs the GNU long-name or pax record.
        writeFile(dir / ("src/" + std::string(60, 'd') + "/" + std::string(70, 'f') + ".txt"), "long");
        ASSERT_EQ(run(dir / "src", c.command), 0);
        std::filesystem::create_directories(dir / "out");
        auto r = extractArchive(Format::Tar, dir / "t.tar", dir / "out");
        EXPECT_EQ(r.code, 0) << r.log;
        expectSameFiles(dir / "src", dir / "out");
    }
}

TEST(TarInterop, WhatWePackTarUnpacksByteForByte) {
    TempDir dir;
    makeSampleTree(dir / "src");
    writeFile(dir / ("src/" + std::string(60, 'd') + "/" + std::string(70, 'f') + ".txt"), "long");
    ASSERT_EQ(packTree(Packer::TarGz, dir / "src", {"*"}, "ours.tgz"), 0);
    std::filesystem::create_directories(dir / "out");
    ASSERT_EQ(run(dir / "out", "tar xzf ../src/ours.tgz"), 0);
    std::filesystem::remove(dir / "src/ours.tgz");
    expectSameFiles(dir / "src", dir / "out");
}

TEST(TarReader, HostileEntriesStayInsideTheTarget) {
    TempDir dir;
    // Python's tarfile writes what GNU tar refuses to make.
    const char* script =
        "import tarfile, io\n"
        "t = tarfile.open('evil.tar', 'w', format=tarfile.GNU_FORMAT)\n"
        "def add(name, data=b'x', kind=tarfile.REGTYPE, link=''):\n"
        "    i = tarfile.TarInfo(name); i.type = kind; i.linkname = link; i.size = len(data) if kind == tarfile.REGTYPE else 0\n"
        "    t.addfile(i, io.BytesIO(data) if kind == tarfile.REGTYPE else None)\n"
        "add('../up.txt'); add('/abs.txt'); add('a/../../up2.txt'); add('C:\\\\drive.txt'); add('\\\\\\\\srv\\\\share\\\\x.txt')\n"
        "add('out', kind=tarfile.SYMTYPE, link='/etc'); add('hard', kind=tarfile.LNKTYPE, link='../../x')\n"
        "add('ok/fine.txt', b'fine')\n"
        "t.close()\n";
    writeFile(dir / "make.py", script);
    ASSERT_EQ(run(dir.path(), "python3 make.py"), 0);
    std::filesystem::create_directories(dir / "in/deeper");
    auto r = extractArchive(Format::Tar, dir / "evil.tar", dir / "in/deeper");
    EXPECT_EQ(r.code, arc::kErrorUserSkip) << r.log;
    EXPECT_EQ(r.extracted, 1);
    EXPECT_EQ(readFile(dir / "in/deeper/ok/fine.txt"), "fine");
    int entries = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir.path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 6);  // make.py, evil.tar, in, deeper, ok, fine.txt
    EXPECT_FALSE(std::filesystem::exists("/abs.txt"));
}

}  // namespace
}  // namespace arctest
