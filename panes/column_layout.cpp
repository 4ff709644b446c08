#include "panes/column_layout.h"

#include <algorithm>
#include <climits>

int rowsFor(int clientHeight, int lineHeight) {
    if (lineHeight <= 0) return 1;
    return std::max(1, clientHeight / lineHeight);
}

ColumnLayout::ColumnLayout() {
    columns_ = {EmptyListingTail, FarTail};
    computeLefts();
}

void ColumnLayout::layout(const FileList& list, const LayoutParams& p) {
    rows_ = rowsFor(p.clientHeight, p.lineHeight);
    charWidth_ = std::max(1, p.charWidth);
    lineHeight_ = std::max(1, p.lineHeight);
    clientWidth_ = p.clientWidth;
    const std::size_t nameLimit = static_cast<std::size_t>(std::max(0, p.nameLimit));
    const std::size_t extLimit = static_cast<std::size_t>(std::max(0, p.extLimit));

    columns_.clear();
    columns_.reserve(list.count() / static_cast<std::size_t>(rows_) + 3);
    ColumnWidths lastEntry = EmptyListingTail;
    std::size_t rowInColumn = 0;
    for (const FileEntry& e : list.entries()) {
        const std::string_view name = e.name();
        const NameSplit split = splitName(name);
        const int namePart = static_cast<int>(std::min(split.stemLength, nameLimit));
        const int extPart = static_cast<int>(std::min(split.extLength(name), extLimit));
        if (rowInColumn == 0) {
            columns_.push_back({std::max(namePart, 2), std::max(extPart, 1)});
        } else {
            // Later lines reserve one more extension cell than the first.
            ColumnWidths& c = columns_.back();
            c.nameWidth = std::max(c.nameWidth, namePart);
            c.extWidth = std::max(c.extWidth, extPart + 1);
        }
        if (++rowInColumn == static_cast<std::size_t>(rows_)) rowInColumn = 0;
        lastEntry = {namePart, extPart};
    }
    // The tail gives the columns past the last real one a width, and the far
    // one is wide enough to end every visible-column count.
    columns_.push_back(lastEntry);
    columns_.push_back(FarTail);

    switches_ = p.switches;
    computeLefts();
    if (p.autoColumns) switches_ = chooseAutomatically(list.count());
}

void ColumnLayout::setSwitches(DisplaySwitches switches) {
    switches_ = switches;
    computeLefts();
}

void ColumnLayout::computeLefts() {
    left_.resize(columns_.size() + 1);
    left_[0] = 0;
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        left_[c + 1] = left_[c] + columnPixels(static_cast<int>(c));
    }
}

DisplaySwitches ColumnLayout::chooseAutomatically(std::size_t entries) {
    static constexpr DisplaySwitches tries[] = {
        {true, true, true},
        {false, true, true},
        {true, false, false},
    };
    // The choice asks whether the whole listing fits, so it counts from the
    // first column whatever the view shows now.
    for (const DisplaySwitches& s : tries) {
        switches_ = s;
        computeLefts();
        const int64_t capacity = int64_t(visibleColumns(0)) * (rows_ + 1);
        if (capacity > static_cast<int64_t>(entries)) return s;
    }
    switches_ = {false, false, false};
    computeLefts();
    return switches_;
}

ColumnWidths ColumnLayout::widthsOf(int column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= columns_.size()) return columns_[0];
    return columns_[static_cast<std::size_t>(column)];
}

int64_t ColumnLayout::columnPixels(int column) const {
    return int64_t(lineWidth(widthsOf(column), switches_) + 2) * charWidth_;
}

int64_t ColumnLayout::columnLeft(int column) const {
    if (column <= 0) return 0;
    const std::size_t c = static_cast<std::size_t>(column);
    if (c < left_.size()) return left_[c];
    return left_.back() + int64_t(c - columns_.size()) * columnPixels(0);
}

int ColumnLayout::visibleColumns(int topColumn) const {
    topColumn = std::max(0, topColumn);
    const std::size_t top = static_cast<std::size_t>(topColumn);
    int64_t counted;
    if (top >= columns_.size()) {
        counted = clientWidth_ < 0 ? 1 : clientWidth_ / columnPixels(0) + 1;
    } else {
        // Columns whose left edge lies within the client width; the last of
        // them is the one cut off at the right edge.
        const int64_t limit = left_[top] + clientWidth_;
        auto first = left_.begin() + static_cast<std::ptrdiff_t>(top);
        auto end = std::upper_bound(first, left_.begin() + static_cast<std::ptrdiff_t>(columns_.size()),
                                    limit);
        counted = end - first;
    }
    return static_cast<int>(std::clamp<int64_t>(counted - 1, 1, INT_MAX / std::max(1, rows_)));
}

int ColumnLayout::hitTest(int x, int y, int topColumn) const {
    topColumn = std::max(0, topColumn);
    const int64_t pixel = columnLeft(topColumn) + std::max(0, x);
    int64_t column;
    if (pixel >= left_.back()) {
        column = int64_t(columns_.size()) + (pixel - left_.back()) / columnPixels(0);
    } else {
        column = (std::upper_bound(left_.begin(), left_.end(), pixel) - left_.begin()) - 1;
    }
    column = std::max<int64_t>(column, topColumn);
    // The part-row strip at the bottom belongs to the last row, not the next column.
    const int row = std::min(std::max(0, y) / lineHeight_, rows_ - 1);
    return static_cast<int>(std::min<int64_t>(column * rows_ + row, INT_MAX));
}

ColumnLayout::Position ColumnLayout::linePosition(int index, int topColumn) const {
    const int column = index / rows_;
    return {columnLeft(column) - columnLeft(topColumn), (index % rows_) * lineHeight_};
}

ColumnLayout::PaintRange ColumnLayout::paintRange(int topColumn) const {
    topColumn = std::max(0, topColumn);
    return {topColumn * rows_, (visibleColumns(topColumn) + 1) * rows_};
}
