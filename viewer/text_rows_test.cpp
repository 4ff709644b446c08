#include "viewer/text_pager.h"

#include <gtest/gtest.h>

#include <map>

namespace {
std::vector<std::string> rowsOf(std::string_view text, int columns) {
    std::vector<std::string> rows;
    for (std::size_t at = 0; at < text.size();) {
        TextRow row = layRow(text, at, columns);
        rows.push_back(row.cells);
        at = row.next;
    }
    return rows;
}

TEST(TextRows, LaidIntoTheCellGrid) {
    struct Case {
        std::string text;
        int columns;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"abc\ndef\n", 10, {"abc", "def"}},
        {"abc\r\ndef", 10, {"abc", "def"}},                 // CR takes no cell
        {"abcdefgh", 3, {"abc", "def", "gh"}},              // wrap at the edge
        {"abcde\tx", 20, {"abcde   x"}},                    // a tab at column 5 goes to 8
        {"\tx\ty", 20, {"    x   y"}},
        {"ab\tc", 3, {"ab ", "c"}},                         // a tab past the edge fills the row
        {"a\x95\x5c" "b", 10, {"a\x95\x5c" "b"}},           // a pair is two cells, 0x5C trail kept
        {"ab\x95\x5c", 3, {"ab", "\x95\x5c"}},              // a pair never splits at the edge
        {"abc\n", 3, {"abc", ""}},                          // a full row wraps before the LF
        {"\n\nx", 5, {"", "", "x"}},
    };
    for (const Case& c : cases) EXPECT_EQ(rowsOf(c.text, c.columns), c.rows) << c.text;
}

// A file of generated lines that counts how much of it was read.
class FakeFile : public ChunkSource {
public:
    // lineLength 0: one endless line.
    FakeFile(std::uint64_t size, std::uint64_t lineLength) : size_(size), line_(lineLength) {}
    std::size_t readAt(std::uint64_t offset, char* out, std::size_t n) override {
        ++reads;
        std::size_t got = 0;
        for (; got < n && offset + got < size_; ++got) {
            const std::uint64_t at = offset + got;
            out[got] = line_ && at % line_ == line_ - 1 ? '\n' : static_cast<char>('a' + at % 26);
        }
        return got;
    }
    int reads = 0;

private:
    std::uint64_t size_;
    std::uint64_t line_;
};

TEST(TextPager, ReadsOnlyWhatTheRowsNeedAndStopsAtRow2000) {
    FakeFile huge(std::uint64_t(1) << 30, 40);
    TextPager pager;
    pager.setSource(&huge);
    EXPECT_EQ(pager.loadedBytes(), TextChunk);
    EXPECT_EQ(pager.page(50, 80).size(), 51u);
    EXPECT_EQ(huge.reads, 1);
    // Lines of 40 bytes: 2000 rows need 80,000 bytes, within the first chunk.
    int moved = 0;
    while (pager.scrollDown(50)) ++moved;
    EXPECT_EQ(moved, MaxTextRows - 50);
    EXPECT_EQ(pager.page(50, 80).size(), 51u);
    EXPECT_EQ(pager.top(), MaxTextRows - 50);
    EXPECT_EQ(huge.reads, 1);

    // Rows of 200 cells reach past the first chunk: the next ones are read then.
    FakeFile endless(std::uint64_t(1) << 30, 0);
    TextPager wide;
    wide.setSource(&endless);
    wide.page(10, 200);
    for (int i = 0; i < 1000; ++i) wide.scrollDown(10);
    EXPECT_EQ(wide.top(), 1000);
    EXPECT_EQ(wide.page(10, 200)[0].cells.size(), 200u);
    EXPECT_EQ(endless.reads, 2);  // 1011 rows of 200 bytes
    EXPECT_EQ(wide.loadedBytes(), 2 * TextChunk);
}

TEST(TextPager, EndOfTextBoundsScrolling) {
    TextPager pager;
    pager.setText("1\n2\n3\n4\n5\n");
    // Three whole rows and the one partly shown below them.
    EXPECT_EQ(pager.page(3, 10).size(), 4u);
    EXPECT_EQ(pager.lastRow(), MaxTextRows);  // the end is not drawn yet
    EXPECT_TRUE(pager.scrollDown(3));
    pager.page(3, 10);
    EXPECT_EQ(pager.lastRow(), 4);
    EXPECT_TRUE(pager.scrollDown(3));
    EXPECT_EQ(pager.page(3, 10).front().cells, "3");
    EXPECT_FALSE(pager.scrollDown(3));
    EXPECT_TRUE(pager.scrollUp());
    EXPECT_TRUE(pager.scrollUp());
    EXPECT_FALSE(pager.scrollUp());
    pager.setText("");
    EXPECT_EQ(pager.page(3, 10).size(), 1u);
    EXPECT_FALSE(pager.scrollDown(3));
}
}  // namespace
