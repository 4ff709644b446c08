#include "panes/file_drop_block.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

const std::string Hyou = "\x95\x5c";  // 表: trail byte is "\"
const std::string Nihongo = "\x93\xfa\x96\x7b\x8c\xea";

using Bytes = std::vector<unsigned char>;

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

// A heap copy of exactly n bytes, so that the sanitizer sees any read past it.
std::vector<std::string> parseExactly(const Bytes& block, std::size_t n,
                                      const WidePathToNarrow& toNarrow = {}) {
    auto copy = std::make_unique<unsigned char[]>(n ? n : 1);
    std::copy(block.begin(), block.begin() + n, copy.get());
    return parseFileDropBlock(copy.get(), n, toNarrow);
}

std::vector<std::string> parseAll(const Bytes& block, const WidePathToNarrow& toNarrow = {}) {
    return parseExactly(block, block.size(), toNarrow);
}

Bytes header(uint32_t listOffset, bool wide) {
    Bytes h(FileDropHeaderSize, 0);
    h[0] = listOffset & 0xff;
    h[1] = (listOffset >> 8) & 0xff;
    h[16] = wide ? 1 : 0;
    return h;
}

void appendWide(Bytes& out, const std::u16string& s) {
    for (char16_t c : s) {
        out.push_back(c & 0xff);
        out.push_back(c >> 8);
    }
}

// ASCII only; anything else stands for a name the code page cannot hold.
std::string asciiOnly(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) {
        if (c > 0x7f) return {};
        out += static_cast<char>(c);
    }
    return out;
}

}  // namespace

TEST(FileDropBlock, HeaderThenNulTerminatedPathsThenOneMoreNul) {
    const Bytes block = buildFileDropBlock({"C:\\" + Hyou + ".txt", "C:\\a b"});
    Bytes expected = {20, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0};
    for (unsigned char c : bytesOf("C:\\" + Hyou + ".txt")) expected.push_back(c);
    expected.push_back(0);
    for (unsigned char c : bytesOf("C:\\a b")) expected.push_back(c);
    expected.push_back(0);
    expected.push_back(0);
    EXPECT_EQ(block, expected);

    // No paths: the header and the list's end alone.
    Bytes empty(21, 0);
    empty[0] = 20;
    EXPECT_EQ(buildFileDropBlock({}), empty);
}

TEST(FileDropBlock, PathsThatWouldEndTheListEarlyAreLeftOut) {
    const std::string withNul("C:\\x\0y", 6);
    const Bytes block = buildFileDropBlock({"", "C:\\one", withNul, "", "C:\\two"});
    EXPECT_EQ(block.size(), 20u + 7 + 7 + 1);
    EXPECT_EQ(parseAll(block), (std::vector<std::string>{"C:\\one", "C:\\two"}));
}

TEST(FileDropBlock, RoundTripKeepsShiftJisBytes) {
    const std::vector<std::string> paths = {
        "C:\\" + Hyou + "\\" + Nihongo + ".doc", "C:\\dir\\" + Hyou, "Z:\\tmp\\with space.txt",
        "C:\\" + std::string(600, 'n')};
    EXPECT_EQ(parseAll(buildFileDropBlock(paths)), paths);
}

TEST(FileDropBlock, CutBlocksNeverReadPastTheirSize) {
    const std::string first = "C:\\" + Hyou + ".txt";
    const std::vector<std::string> paths = {first, "C:\\second", "C:\\third"};
    const Bytes block = buildFileDropBlock(paths);
    for (std::size_t n = 0; n <= block.size(); ++n) {
        const std::vector<std::string> got = parseExactly(block, n);
        ASSERT_LE(got.size(), paths.size()) << n;
        for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], paths[i]) << n;
        if (n <= FileDropHeaderSize) {
            EXPECT_TRUE(got.empty()) << n;
        }
    }
    // A path whose NUL is cut off may itself be cut: it is not offered.
    const std::size_t firstEnd = FileDropHeaderSize + first.size();
    EXPECT_TRUE(parseExactly(block, firstEnd).empty());
    EXPECT_EQ(parseExactly(block, firstEnd + 1), std::vector<std::string>{first});
    EXPECT_EQ(parseExactly(block, firstEnd + 5), std::vector<std::string>{first});
    // Only the final extra NUL missing: every path is whole.
    EXPECT_EQ(parseExactly(block, block.size() - 1), paths);
}

TEST(FileDropBlock, BrokenHeadersGiveNoPaths) {
    Bytes block = buildFileDropBlock({"C:\\a", "C:\\b"});
    EXPECT_TRUE(parseFileDropBlock(nullptr, 100).empty());

    // A list offset into the header would read the drop point as a name.
    Bytes inside = block;
    inside[0] = 4;
    inside[4] = 'x';
    EXPECT_TRUE(parseAll(inside).empty());

    Bytes beyond = block;
    beyond[0] = static_cast<unsigned char>(block.size());
    EXPECT_TRUE(parseAll(beyond).empty());
    beyond[0] = 0;
    beyond[3] = 0x80;  // far beyond, and negative if read as signed
    EXPECT_TRUE(parseAll(beyond).empty());
}

TEST(FileDropBlock, ListOffsetIsHonoured) {
    // A writer with a longer header than ours.
    Bytes block = header(28, false);
    for (int i = 0; i < 8; ++i) block.push_back('#');
    for (unsigned char c : bytesOf("C:\\far")) block.push_back(c);
    block.push_back(0);
    block.push_back(0);
    EXPECT_EQ(parseAll(block), std::vector<std::string>{"C:\\far"});
}

TEST(FileDropBlock, WideBlocksGoThroughTheConverter) {
    Bytes block = header(20, true);
    appendWide(block, u"C:\\one");
    appendWide(block, std::u16string(1, u'\0'));
    appendWide(block, u"C:\\\u8868");  // 表 has no ASCII form: dropped
    appendWide(block, std::u16string(1, u'\0'));
    appendWide(block, u"D:\\two");
    appendWide(block, std::u16string(2, u'\0'));

    EXPECT_EQ(parseAll(block, asciiOnly), (std::vector<std::string>{"C:\\one", "D:\\two"}));
    EXPECT_TRUE(parseAll(block).empty());

    // Cut inside the last NUL's code unit: a half unit is never read.
    const std::size_t twoEnd = block.size() - 4;
    EXPECT_EQ(parseExactly(block, twoEnd + 1, asciiOnly), std::vector<std::string>{"C:\\one"});
    EXPECT_EQ(parseExactly(block, twoEnd + 2, asciiOnly),
              (std::vector<std::string>{"C:\\one", "D:\\two"}));
    for (std::size_t n = 0; n <= block.size(); ++n) {
        const std::vector<std::string> got = parseExactly(block, n, asciiOnly);
        EXPECT_LE(got.size(), 2u) << n;
    }
}

TEST(FileDropBlock, RandomBlocksStayWithinBounds) {
    std::mt19937 random(20240607);
    for (int round = 0; round < 3000; ++round) {
        const std::size_t size = random() % 64;
        Bytes block(size);
        for (unsigned char& b : block) b = random() % 4 == 0 ? 0 : static_cast<unsigned char>(random());
        if (size >= FileDropHeaderSize && random() % 2) {
            const Bytes h = header(static_cast<uint32_t>(20 + random() % 8), random() % 2);
            std::copy(h.begin(), h.end(), block.begin());
        }
        const std::vector<std::string> got =
            parseAll(block, [](std::u16string_view s) { return std::string(s.size(), 'w'); });
        std::size_t total = 0;
        for (const std::string& path : got) {
            EXPECT_FALSE(path.empty());
            EXPECT_EQ(path.find('\0'), std::string::npos);
            total += path.size() + 1;
        }
        EXPECT_LE(total, size > FileDropHeaderSize ? size - FileDropHeaderSize : 0);
    }
}
