#include "viewer/text_pager.h"

#include <algorithm>

void TextPager::restart() {
    starts_.assign(1, 0);
    top_ = 0;
    last_ = MaxTextRows;
}

void TextPager::setText(std::string text) {
    buffer_ = std::move(text);
    complete_ = true;
    source_ = nullptr;
    restart();
}

void TextPager::setSource(ChunkSource* source) {
    buffer_.clear();
    buffer_.shrink_to_fit();
    source_ = source;
    complete_ = source == nullptr;
    restart();
    readMore();
}

bool TextPager::readMore() {
    if (complete_) return false;
    const std::size_t had = buffer_.size();
    buffer_.resize(had + TextChunk);
    const std::size_t got = source_->readAt(had, buffer_.data() + had, TextChunk);
    buffer_.resize(had + (got > TextChunk ? TextChunk : got));
    if (got < TextChunk) complete_ = true;
    return got > 0;
}

TextRow TextPager::rowAt(int index, int columns) {
    TextRow row = layRow(buffer_, starts_[index], columns);
    while (row.reachedEnd && !complete_) {
        readMore();
        row = layRow(buffer_, starts_[index], columns);
    }
    return row;
}

std::vector<TextRow> TextPager::page(int rows, int columns) {
    if (columns < 1) columns = 1;
    if (columns != columns_) {
        columns_ = columns;
        // The place stays as a row index; the rows are laid again below.
        starts_.assign(1, 0);
        last_ = MaxTextRows;
    }
    std::vector<TextRow> out;
    // Row starts are known up to the highest row laid so far; laying the
    // lowest row shown tells whether the text ends there.
    const int wanted = std::min(top_ + rows, MaxTextRows);
    while (static_cast<int>(starts_.size()) - 1 <= wanted && last_ == MaxTextRows) {
        const int index = static_cast<int>(starts_.size()) - 1;
        const TextRow row = rowAt(index, columns);
        if (row.next >= buffer_.size() && complete_) {
            last_ = index;
            break;
        }
        if (index == MaxTextRows) break;
        starts_.push_back(row.next);
    }
    if (top_ > last_) top_ = last_;
    for (int r = top_; r <= wanted && r <= last_; ++r) {
        if (r >= static_cast<int>(starts_.size())) break;
        out.push_back(rowAt(r, columns));
    }
    return out;
}

bool TextPager::scrollUp() {
    if (top_ <= 0) return false;
    --top_;
    return true;
}

bool TextPager::scrollDown(int rows) {
    if (top_ + rows >= MaxTextRows || last_ < top_ + rows) return false;
    ++top_;
    return true;
}
