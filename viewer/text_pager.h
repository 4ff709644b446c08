#pragma once
// The text of the view in pages of rows. A file is read in chunks of 0x20000
// bytes only as far as the rows drawn need it; only the first 2000 rows can be
// reached, so a file of any size costs at most what those rows hold.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "viewer/text_rows.h"

constexpr std::size_t TextChunk = 0x20000;
constexpr int MaxTextRows = 2000;

// Reads up to size bytes at offset; fewer means the end of the file.
class ChunkSource {
public:
    virtual ~ChunkSource() = default;
    virtual std::size_t readAt(std::uint64_t offset, char* out, std::size_t size) = 0;
};

class TextPager {
public:
    // A text that is whole already (listings, reports, rendered pages).
    void setText(std::string text);
    // A file: its first chunk is read now, the rest on demand. The source
    // must outlive the pager's use of it, or be replaced first.
    void setSource(ChunkSource* source);
    void clear() { setText({}); }

    // Rows top to top + rows (the last one partly visible), fewer at the end
    // of the text. A change of columns lays the text out again.
    std::vector<TextRow> page(int rows, int columns);

    // One row; false when the view cannot move that way.
    bool scrollUp();
    bool scrollDown(int rows);

    int top() const { return top_; }
    // The index of the final row once the end of the text was laid out, else 2000.
    int lastRow() const { return last_; }
    std::size_t loadedBytes() const { return buffer_.size(); }
    const std::string& loaded() const { return buffer_; }

private:
    void restart();
    bool readMore();
    TextRow rowAt(int index, int columns);

    std::string buffer_;
    bool complete_ = true;
    ChunkSource* source_ = nullptr;
    std::vector<std::size_t> starts_{0};
    int columns_ = 0;
    int top_ = 0;
    int last_ = MaxTextRows;
};
