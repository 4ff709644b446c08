#include "panes/column_layout.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

FileList listOf(const std::vector<std::string>& names) {
    FileList list;
    for (const std::string& n : names) list.append(makeEntry(n));
    return list;
}

FileList numbered(int count, const char* ext = ".txt") {
    FileList list;
    for (int i = 0; i < count; ++i) list.append(makeEntry("f" + std::to_string(i % 10) + ext));
    return list;
}

// One pixel a cell and a line, so pixels are cells.
LayoutParams cells(int width, int rows, DisplaySwitches s = {true, true, true}) {
    LayoutParams p;
    p.charWidth = 1;
    p.lineHeight = 1;
    p.clientWidth = width;
    p.clientHeight = rows;
    p.nameLimit = 30;
    p.extLimit = 4;
    p.switches = s;
    return p;
}

}  // namespace

TEST(ColumnLayout, WidthsPerColumnAndTheClosingEntries) {
    const FileList list = listOf({"..", "a.c", "verylongname", "x.html", "b", "zz.jpeg2"});
    ColumnLayout layout;
    layout.layout(list, cells(500, 2));
    // Column 0: ".." opens it; "a.c" widens the extension by one extra cell.
    // Column 1: "verylongname" has no extension; "x.html" then 4 + 1.
    // Column 2: "b" opens with the minimums; "zz.jpeg2" clamps its 5 to 4, + 1.
    // Then the last entry's own parts, and the far column.
    const std::vector<ColumnWidths> expected{{2, 2}, {12, 5}, {2, 5}, {2, 4}, {1000, 0}};
    EXPECT_EQ(layout.columns(), expected);
    EXPECT_EQ(layout.widthsOf(99), expected[0]);

    LayoutParams narrow = cells(500, 2);
    narrow.nameLimit = 5;
    narrow.extLimit = 2;
    layout.layout(list, narrow);
    EXPECT_EQ(layout.columns()[1], (ColumnWidths{5, 3}));

    layout.layout(FileList{}, cells(500, 2));
    EXPECT_EQ(layout.columns(), (std::vector<ColumnWidths>{{3, 0}, {1000, 0}}));
}

TEST(ColumnLayout, RowsAndColumnPositions) {
    EXPECT_EQ(rowsFor(100, 14), 7);
    EXPECT_EQ(rowsFor(5, 14), 1);
    EXPECT_EQ(rowsFor(100, 0), 1);

    // Names "fN.txt": every real column is (2, 4), 36 cells + 2 = 38 wide.
    ColumnLayout layout;
    LayoutParams p = cells(0, 3);
    p.charWidth = 7;
    p.lineHeight = 14;
    p.clientHeight = 3 * 14 + 10;  // a part row at the bottom
    layout.layout(numbered(12), p);
    EXPECT_EQ(layout.rows(), 3);
    EXPECT_EQ(layout.columnPixels(0), 38 * 7);
    EXPECT_EQ(layout.columnLeft(3), 3 * 38 * 7);
    EXPECT_EQ(layout.columnOf(7), 2);
    const ColumnLayout::Position at = layout.linePosition(7, 1);
    EXPECT_EQ(at.x, 38 * 7);
    EXPECT_EQ(at.y, 14);
}

TEST(ColumnLayout, VisibleColumnsCountOnlyWholeColumns) {
    ColumnLayout layout;
    layout.layout(numbered(30), cells(0, 3));  // ten columns of 38
    auto visibleAt = [&](int width, int top) {
        LayoutParams p = cells(width, 3);
        layout.layout(numbered(30), p);
        return layout.visibleColumns(top);
    };
    EXPECT_EQ(visibleAt(3 * 38, 0), 3);      // exactly three
    EXPECT_EQ(visibleAt(3 * 38 - 1, 0), 2);  // the third is cut
    EXPECT_EQ(visibleAt(3 * 38 + 37, 0), 3);
    EXPECT_EQ(visibleAt(10, 0), 1);          // never less than one
    EXPECT_EQ(visibleAt(3 * 38, 5), 3);
    EXPECT_EQ(layout.visibleEntries(5), 9);
    // At the end the closing columns end the count.
    EXPECT_EQ(visibleAt(100000, 8), 3);  // columns 8, 9 and the tail; the far one is cut
    const ColumnLayout::PaintRange range = layout.paintRange(8);
    EXPECT_EQ(range.first, 24);
    EXPECT_EQ(range.lines, 12);
}

TEST(ColumnLayout, HitTestingFindsTheEntryUnderAPoint) {
    ColumnLayout layout;
    LayoutParams p = cells(200, 0);
    p.charWidth = 2;
    p.lineHeight = 10;
    p.clientHeight = 35;  // three rows and a half
    layout.layout(numbered(30), p);
    const int column = 38 * 2;
    EXPECT_EQ(layout.hitTest(0, 0, 0), 0);
    EXPECT_EQ(layout.hitTest(column - 1, 29, 0), 2);
    EXPECT_EQ(layout.hitTest(column, 0, 0), 3);
    EXPECT_EQ(layout.hitTest(2 * column + 5, 15, 0), 7);
    // The part row at the bottom is the last row, not the next column.
    EXPECT_EQ(layout.hitTest(0, 34, 0), 2);
    // Relative to the first visible column.
    EXPECT_EQ(layout.hitTest(column + 1, 0, 4), 15);
    EXPECT_EQ(layout.hitTest(-5, -5, 4), 12);
    // Past the listing the index runs on; the cursor move clamps it.
    EXPECT_GE(layout.hitTest(column * 2, 0, 9), 30);
}

TEST(ColumnLayout, AutomaticChoiceDropsColumnsAsTheWindowShrinks) {
    // Twelve entries in six columns of two rows. Cells per column: all on 38,
    // without size 27, size only 20, names only 9. The choice keeps the first
    // set whose visible columns x (rows + 1) exceed the count.
    const FileList list = numbered(12);
    auto choose = [&](int width) {
        LayoutParams p = cells(width, 2);
        p.autoColumns = true;
        ColumnLayout layout;
        layout.layout(list, p);
        return layout.switches();
    };
    EXPECT_EQ(choose(6 * 38), (DisplaySwitches{true, true, true}));
    EXPECT_EQ(choose(4 * 38), (DisplaySwitches{false, true, true}));
    EXPECT_EQ(choose(100), (DisplaySwitches{true, false, false}));
    EXPECT_EQ(choose(50), (DisplaySwitches{false, false, false}));

    // Counting one line more per column than is shown: four columns of two
    // rows hold 8, yet 11 entries keep everything.
    LayoutParams p = cells(4 * 38, 2);
    p.autoColumns = true;
    ColumnLayout layout;
    layout.layout(numbered(11), p);
    EXPECT_EQ(layout.switches(), (DisplaySwitches{true, true, true}));

    // Without the automatic switch the given switches stay.
    p.autoColumns = false;
    p.switches = {false, true, true};
    layout.layout(numbered(500), p);
    EXPECT_EQ(layout.switches(), (DisplaySwitches{false, true, true}));
    EXPECT_EQ(layout.columnPixels(0), 27);
}
