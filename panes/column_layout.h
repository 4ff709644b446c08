#pragma once
// Newspaper columns of a pane: the name and extension width of each column,
// their pixel positions, what is visible from a given first column, hit
// testing and the automatic choice of the size, date and time columns.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "panes/file_list.h"
#include "panes/line_format.h"

struct LayoutParams {
    int charWidth = 7;     // pixels of one cell
    int lineHeight = 14;   // pixels of one line
    int clientWidth = 0;
    int clientHeight = 0;
    int nameLimit = 30;    // "FileNameLength"
    int extLimit = 4;      // "ExtLength"
    DisplaySwitches switches;  // kept as they are unless autoColumns is on
    bool autoColumns = false;
};

// Lines per column: never 0, so nothing divides by it.
int rowsFor(int clientHeight, int lineHeight);

class ColumnLayout {
public:
    // Widths of the closing entries that follow the real columns.
    static constexpr ColumnWidths EmptyListingTail{3, 0};
    static constexpr ColumnWidths FarTail{1000, 0};

    ColumnLayout();

    // Measures every column of the listing and, with autoColumns, picks the
    // switches. Run after each load, sort and resize.
    void layout(const FileList& list, const LayoutParams& params);
    // The switch commands: same widths, other fields shown.
    void setSwitches(DisplaySwitches switches);

    int rows() const { return rows_; }
    int charWidth() const { return charWidth_; }
    int lineHeight() const { return lineHeight_; }
    DisplaySwitches switches() const { return switches_; }
    // The real columns followed by the two closing entries.
    const std::vector<ColumnWidths>& columns() const { return columns_; }
    // Column 0's widths for a column beyond the layout.
    ColumnWidths widthsOf(int column) const;
    int columnOf(int index) const { return index / rows_; }

    int64_t columnLeft(int column) const;  // pixels right of column 0's left edge
    int64_t columnPixels(int column) const;
    // Fully visible columns from topColumn on, at least 1.
    int visibleColumns(int topColumn) const;
    int visibleEntries(int topColumn) const { return visibleColumns(topColumn) * rows_; }

    // The entry index under a client point; may lie beyond the listing, the
    // caller clamps.
    int hitTest(int x, int y, int topColumn) const;

    struct Position {
        int64_t x;
        int y;
    };
    Position linePosition(int index, int topColumn) const;

    // The lines a full repaint draws: from first on, lines of them, those
    // beyond the listing as blank lines.
    struct PaintRange {
        int first;
        int lines;
    };
    PaintRange paintRange(int topColumn) const;

private:
    void computeLefts();
    DisplaySwitches chooseAutomatically(std::size_t entries);

    std::vector<ColumnWidths> columns_;
    std::vector<int64_t> left_;  // one more than columns_: the last right edge
    DisplaySwitches switches_;
    int rows_ = 1;
    int charWidth_ = 7;
    int lineHeight_ = 14;
    int clientWidth_ = 0;
};
