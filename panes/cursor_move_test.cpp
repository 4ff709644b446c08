#include "panes/cursor_move.h"

#include <string>

#include <gtest/gtest.h>

namespace {

FileList numbered(int count) {
    FileList list;
    for (int i = 0; i < count; ++i) list.append(makeEntry("f" + std::to_string(i % 10) + ".txt"));
    return list;
}

// Three rows; columns of 38 cells at one pixel a cell; two whole columns
// visible and a third cut off at the right edge.
struct View {
    explicit View(const FileList& list, int width = 2 * 38 + 20) : count(static_cast<int>(list.count())) {
        LayoutParams p;
        p.charWidth = 1;
        p.lineHeight = 1;
        p.clientWidth = width;
        p.clientHeight = 3;
        layout.layout(list, p);
    }
    PaneUpdate move(int dc, int dr) { return moveCursor(pane, layout, count, dc, dr); }
    ColumnLayout layout;
    PaneCursor pane;
    int count;
};

}  // namespace

TEST(CursorMove, MovesWithinTheViewRedrawTwoLines) {
    View v(numbered(30));
    PaneUpdate u = v.move(0, 1);
    EXPECT_EQ(u.oldCursor, 0);
    EXPECT_EQ(u.newCursor, 1);
    EXPECT_FALSE(u.repaintAll);
    EXPECT_TRUE(u.reportCounts);
    u = v.move(1, 0);  // one column is three entries
    EXPECT_EQ(v.pane.cursor, 4);
    EXPECT_FALSE(u.repaintAll);
    // Clamped at both ends.
    v.move(-5, 0);
    EXPECT_EQ(v.pane.cursor, 0);
    v.move(0, -1);
    EXPECT_EQ(v.pane.cursor, 0);
    EXPECT_EQ(v.pane.topColumn, 0);
}

TEST(CursorMove, ScrollsOneColumnAtATime) {
    View v(numbered(30));
    v.pane.cursor = 4;  // column 1, the last whole one
    PaneUpdate u = v.move(1, 0);
    EXPECT_EQ(v.pane.cursor, 7);
    EXPECT_EQ(v.pane.topColumn, 1);
    EXPECT_TRUE(u.repaintAll);
    // Down from the last line of the last visible column.
    v.pane.cursor = 8;
    v.move(0, 1);
    EXPECT_EQ(v.pane.topColumn, 2);
    // Left from the first visible column, and up from its first line.
    v.move(-1, 0);
    EXPECT_EQ(v.pane.cursor, 6);
    EXPECT_EQ(v.pane.topColumn, 2);
    v.move(-1, 0);
    EXPECT_EQ(v.pane.cursor, 3);
    EXPECT_EQ(v.pane.topColumn, 1);
    v.move(0, -1);
    EXPECT_EQ(v.pane.cursor, 2);
    EXPECT_EQ(v.pane.topColumn, 0);
}

TEST(CursorMove, RightInTheLastColumnStopsOnTheLastEntry) {
    View v(numbered(29));
    v.pane = {24, 7};
    v.move(1, 0);
    EXPECT_EQ(v.pane.cursor, 27);
    v.move(1, 0);
    EXPECT_EQ(v.pane.cursor, 28);
    EXPECT_EQ(v.pane.topColumn, 8);
    v.move(1, 0);
    EXPECT_EQ(v.pane.cursor, 28);
}

TEST(CursorMove, PlacingBringsAFarCursorIntoView) {
    View v(numbered(30));
    PaneUpdate u = placeCursor(v.pane, v.layout, v.count, 25);
    EXPECT_EQ(u.oldCursor, 0);
    EXPECT_EQ(u.newCursor, 25);
    EXPECT_EQ(v.pane.topColumn, 8);  // its own column leads the view
    placeCursor(v.pane, v.layout, v.count, 0);
    EXPECT_EQ(v.pane.topColumn, 0);
    placeCursor(v.pane, v.layout, v.count, 1000);
    EXPECT_EQ(v.pane.cursor, 29);

    EXPECT_EQ(columnFirstEntry(4, 3), 3);
    EXPECT_EQ(columnLastEntry(4, 3, 30), 5);
    EXPECT_EQ(columnLastEntry(28, 3, 29), 28);
}

TEST(CursorMove, AWideColumnIsScrolledIntoViewWhole) {
    // Column 3 holds a 40-cell name and is 75 cells wide: the view has room
    // for it alone, so one step past column 2 is not enough.
    FileList list = numbered(10);
    list.append(makeEntry(std::string(40, 'w')));
    list.append(makeEntry("z.txt"));
    View v(list, 80);
    v.pane.cursor = 5;
    v.move(1, 0);
    EXPECT_EQ(v.pane.topColumn, 1);
    v.move(1, 0);
    EXPECT_EQ(v.pane.cursor, 11);
    EXPECT_EQ(v.pane.topColumn, 3);
}

TEST(CursorMove, AnEmptyListingDoesNothing) {
    View v(FileList{});
    EXPECT_FALSE(v.move(0, 1).changed());
    EXPECT_FALSE(placeCursor(v.pane, v.layout, 0, 3).changed());
    EXPECT_EQ(v.pane.cursor, 0);
}
