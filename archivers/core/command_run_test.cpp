#include "archivers/core/command_run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "archivers/core/error_code.h"
#include "archivers/tests/rar_builder.h"
#include "archivers/tests/test_support.h"

namespace arc {
namespace {

using arctest::readFile;
using arctest::writeFile;

struct Step {
    Library library;
    std::string line;  // Shift-JIS, as a host sends it
    int code;
};

int runIn(const std::string& root, const Step& s, std::string& out) {
    auto disk = arctest::utf8Disk(root);
    arctest::IconvCodec codec;
    return runCommand(s.library, s.line, disk, codec, out, 1 << 20);
}

TEST(CommandRun, PackThenUnpackThroughEveryLibrary) {
    const std::string sjisDir = "\x95\x5C\x8e\xa6";  // 表示
    struct Case {
        const char* what;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"zip", {{Library::Zip, "-r \"out dir\\a b.zip\" \"" + sjisDir + "\\*.*\" top.txt", 0},
                 {Library::Zip, "-r \"out dir\\a b.zip\" top.txt", kErrorAlreadyExist},
                 {Library::UnZip, "-x -o \"out dir\\a b.zip\"", 0}}},
        {"lzh", {{Library::Unlha, "a -d \"out dir\\a b.lzh\" \"" + sjisDir + "\\*.*\" top.txt", 0},
                 {Library::Unlha, "x -cnr \"out dir\\a b.lzh\"", 0}}},
        {"tgz", {{Library::Tar, "-zcvf \"out dir\\a b.tgz\" \"" + sjisDir + "\\*.*\" top.txt", 0},
                 {Library::Tar, "-zxvf \"out dir\\a b.tgz\"", 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        arctest::TempDir dir;
        writeFile(dir / "src/表示/ソ/x.txt", "deep");
        writeFile(dir / "src/表示/y.txt", "y");
        writeFile(dir / "src/top.txt", "top");
        std::filesystem::create_directories(dir / "src/out dir");
        std::string out;
        for (std::size_t i = 0; i + 1 < c.steps.size(); ++i) EXPECT_EQ(runIn(dir / "src", c.steps[i], out), c.steps[i].code) << out;
        std::filesystem::create_directories(dir / "dst/out dir");
        std::filesystem::copy(dir / "src/out dir", dir / "dst/out dir");
        EXPECT_EQ(runIn(dir / "dst", c.steps.back(), out), 0) << out;
        EXPECT_EQ(readFile(dir / "dst/表示/ソ/x.txt"), "deep");
        EXPECT_EQ(readFile(dir / "dst/表示/y.txt"), "y");
        EXPECT_EQ(readFile(dir / "dst/top.txt"), "top");
    }
}

TEST(CommandRun, ExtractionChoosesMembersAndRespectsExistingFiles) {
    arctest::TempDir dir;
    writeFile(dir / "src/a/one.txt", "one");
    writeFile(dir / "src/a/two.txt", "two");
    writeFile(dir / "src/b.txt", "b");
    std::string out;
    ASSERT_EQ(runIn(dir / "src", {Library::Unlha, "a -d t.lzh a\\*.* b.txt", 0}, out), 0) << out;
    ASSERT_EQ(runIn(dir / "src", {Library::Zip, "-r t.zip a\\*.* b.txt", 0}, out), 0) << out;
    const Step steps[] = {
        {Library::Unlha, "x -cnr ../src/t.lzh \"a\\one.txt\"", 0},
        {Library::Unlha, "x ../src/t.lzh \"a\\one.txt\"", kErrorAlreadyExist},  // kept without -c
        {Library::Unlha, "e -c ../src/t.lzh a\\two.txt", 0},                     // no paths
        {Library::Unlha, "x -c ../src/t.lzh \"target dir\\\\\" b.txt", 0},
        {Library::Unlha, "x -c ../src/t.lzh ..\\ b.txt", kErrorMakeDirectory},   // a target outside
        {Library::UnZip, "-x -o ../src/t.zip a/two.txt", 0},
        {Library::UnZip, "-x ../src/t.zip missing.txt", kErrorNotExist},
        {Library::UnZip, "-x ../src/none.zip", kErrorArcFileOpen},
        {Library::UnZip, "", kErrorCommandName},
    };
    std::filesystem::create_directories(dir / "dst");
    writeFile(dir / "dst/a/one.txt", "old");
    for (const auto& s : steps) EXPECT_EQ(runIn(dir / "dst", s, out), s.code) << s.line << "\n" << out;
    EXPECT_EQ(readFile(dir / "dst/a/one.txt"), "one");
    EXPECT_EQ(readFile(dir / "dst/two.txt"), "two");
    EXPECT_EQ(readFile(dir / "dst/target dir/b.txt"), "b");
    EXPECT_EQ(readFile(dir / "dst/a/two.txt"), "two");
    EXPECT_FALSE(std::filesystem::exists(dir / "b.txt"));
}

TEST(CommandRun, ListingIsAlignedAndCutToTheBuffer) {
    arctest::TempDir dir;
    writeFile(dir / "src/表示ソフト.txt", std::string(5000, 'x'));
    writeFile(dir / "src/a.txt", "abc");
    std::string out;
    ASSERT_EQ(runIn(dir / "src", {Library::Unlha, "a t.lzh *.txt", 0}, out), 0) << out;
    ASSERT_EQ(runIn(dir / "src", {Library::Unlha, "l t.lzh", 0}, out), 0);
    // Every line of a member puts its method in the same column (double-byte
    // characters take two cells, as many as their bytes).
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < out.size();) {
        std::size_t end = out.find("\r\n", pos);
        lines.push_back(out.substr(pos, end - pos));
        pos = end + 2;
    }
    ASSERT_GE(lines.size(), 5u);
    std::size_t column = lines[0].find("Method");
    EXPECT_EQ(lines[2].find("-lh5-"), column) << out;
    EXPECT_EQ(lines[3].find("-lh5-"), column) << out;
    EXPECT_NE(out.find("\x95\x5C\x8e\xa6\x83\x5C\x83\x74\x83\x67.txt"), std::string::npos);
    EXPECT_NE(out.find(" 5000 "), std::string::npos);
}

TEST(CommandRun, UnrarRefusesCompressedMembersWithTheMethodError) {
    arctest::TempDir dir;
    writeFile(dir / "t.rar", arctest::rar4({arctest::rarStored("s.txt", "stored"), arctest::rarCompressed("c.txt", 100)}));
    std::string out;
    EXPECT_EQ(runIn(dir.path(), {Library::Unrar, "\"t.rar\"", 0}, out), kErrorMethod) << out;
    EXPECT_EQ(readFile(dir / "s.txt"), "stored");
    EXPECT_FALSE(std::filesystem::exists(dir / "c.txt"));
}

}  // namespace
}  // namespace arc
