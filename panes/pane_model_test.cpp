#include "panes/pane_model.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// ".." , two directories, then files; three rows a column, wide window.
PaneModel modelOf(const std::vector<std::string>& files, int rows = 3) {
    PaneModel m;
    FileList& list = m.listing();
    list.append(makeEntry("..", AttrDirectory));
    list.append(makeEntry("docs", AttrDirectory));
    list.append(makeEntry("src", AttrDirectory));
    for (const std::string& f : files) list.append(makeEntry(f, AttrArchive, 10, 1));
    LayoutParams p;
    p.charWidth = 1;
    p.lineHeight = 1;
    p.clientWidth = 1000;
    p.clientHeight = rows;
    m.relayout(p);
    return m;
}

std::vector<int> markedOf(const PaneModel& m) {
    std::vector<int> marked;
    for (int i = 0; i < m.count(); ++i) {
        if (m.listing()[static_cast<std::size_t>(i)].marked) marked.push_back(i);
    }
    return marked;
}

}  // namespace

TEST(PaneModel, SelectTogglesThenMovesButNeverMarksTheParent) {
    PaneModel m = modelOf({"a.txt", "b.txt"});
    PaneUpdate u = m.toggleAndMove(0, 1);  // on ".."
    EXPECT_EQ(m.cursor(), 1);
    EXPECT_TRUE(markedOf(m).empty());
    EXPECT_EQ(u.oldCursor, 0);
    u = m.toggleAndMove(0, 1);
    EXPECT_EQ(markedOf(m), std::vector<int>{1});
    EXPECT_EQ(u.oldCursor, 1);  // the toggled line is redrawn as the old cursor line
    EXPECT_EQ(u.newCursor, 2);
    // On the last entry it marks and stays.
    m.tail();
    u = m.toggleAndMove(0, 1);
    EXPECT_EQ(m.cursor(), 4);
    EXPECT_EQ(u.newCursor, 4);
    EXPECT_EQ(markedOf(m), (std::vector<int>{1, 4}));
    // Toggling again clears; a column move toggles first.
    m.toggleAndMove(-1, 0);
    EXPECT_EQ(m.cursor(), 1);
    EXPECT_EQ(markedOf(m), std::vector<int>{1});
    EXPECT_EQ(m.listing().markedCount(), 1u);
}

TEST(PaneModel, HeadTailAndColumnEnds) {
    PaneModel m = modelOf({"a", "b", "c", "d", "e", "f", "g"});  // 10 entries
    m.move(1, 1);  // 4
    m.columnTop();
    EXPECT_EQ(m.cursor(), 3);
    PaneUpdate u = m.columnBottom();
    EXPECT_EQ(m.cursor(), 5);
    EXPECT_TRUE(u.repaintAll);
    m.tail();
    EXPECT_EQ(m.cursor(), 9);
    m.columnBottom();  // a column of one
    EXPECT_EQ(m.cursor(), 9);
    m.head();
    EXPECT_EQ(m.cursor(), 0);
}

TEST(PaneModel, NetworkListingsTakeNoMarks) {
    PaneModel m = modelOf({"a.txt"});
    m.setSource(SourceNetwork);
    m.toggleAndMove(0, 1);
    m.toggleAll(true);
    m.selectByPattern("*");
    m.click(0, 0, true, false);
    EXPECT_TRUE(markedOf(m).empty());
    EXPECT_EQ(m.findPattern(), "*");  // the dialog's pattern is kept all the same
}

TEST(PaneModel, MouseClicks) {
    PaneModel m = modelOf({"a.txt", "b.txt", "c.txt", "d.txt"});  // 7 entries
    const int column = static_cast<int>(m.layout().columnPixels(0));
    // Plain: the cursor goes there; below the last entry it is clamped.
    m.click(column + 1, 2, false, false);
    EXPECT_EQ(m.cursor(), 5);
    m.click(2 * column + 1, 2, false, false);
    EXPECT_EQ(m.cursor(), 6);
    // Shift: the range up to the cursor, ".." left out.
    PaneUpdate u = m.click(0, 0, true, false);
    EXPECT_EQ(markedOf(m), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(m.cursor(), 6);
    EXPECT_TRUE(u.repaintAll);
    // Ctrl toggles the one entry; nothing past the end.
    m.click(column, 1, false, true);
    EXPECT_EQ(markedOf(m), (std::vector<int>{1, 2, 3, 5, 6}));
    EXPECT_FALSE(m.click(2 * column + 1, 2, false, true).changed());
}

TEST(PaneModel, FindRefindAndSelectSetTheFindPattern) {
    PaneModel m = modelOf({"readme.txt", "board.c", "notes.txt"});
    PaneUpdate u = m.find("rd");
    EXPECT_EQ(m.cursor(), 4);
    EXPECT_EQ(m.findPattern(), "*rd*");
    EXPECT_TRUE(u.highlight);
    EXPECT_FALSE(m.find("zz").changed());
    EXPECT_EQ(m.findPattern(), "*rd*");

    m.find("*.txt");
    EXPECT_EQ(m.cursor(), 5);
    m.refind(false);
    EXPECT_EQ(m.cursor(), 3);  // wrapped past the end
    m.refind(true);
    EXPECT_EQ(m.cursor(), 5);

    u = m.selectByPattern("*.TXT");
    EXPECT_EQ(markedOf(m), (std::vector<int>{3, 5}));
    EXPECT_EQ(m.cursor(), 3);
    EXPECT_EQ(m.findPattern(), "*.TXT");
    EXPECT_TRUE(u.highlight);
    std::vector<CellRun> cells;
    m.highlightCells(3, cells);
    ASSERT_FALSE(cells.empty());
}

TEST(PaneModel, AllMarkToggleThenCancel) {
    PaneModel m = modelOf({"a.txt", "b.txt"});
    m.toggleAll(false);
    EXPECT_EQ(markedOf(m), (std::vector<int>{3, 4}));
    m.toggleAll(true);  // all files marked: clear
    EXPECT_TRUE(markedOf(m).empty());
    m.toggleAll(true);
    EXPECT_EQ(markedOf(m), (std::vector<int>{1, 2, 3, 4}));
    m.cancelMarks();
    EXPECT_EQ(m.listing().markedCount(), 0u);
}

TEST(PaneModel, RefreshKeepsMarksAndTheCursorEntryByName) {
    PaneModel m = modelOf({"a.txt", "b.txt", "c.txt", "d.txt"});
    m.selectFromClipboard("b.txt\r\nd.txt");
    EXPECT_EQ(m.cursor(), 4);  // the lowest match
    m.move(0, 1);
    const RefreshMemo memo = m.rememberForRefresh();

    // The reload brings a new file in front and loses d.txt.
    FileList& list = m.listing();
    list.clear();
    list.append(makeEntry("..", AttrDirectory));
    list.append(makeEntry("0.txt"));
    list.append(makeEntry("a.txt"));
    list.append(makeEntry("B.TXT"));
    list.append(makeEntry("c.txt"));
    m.restoreAfterRefresh(memo);
    EXPECT_EQ(markedOf(m), std::vector<int>{3});
    EXPECT_EQ(m.cursor(), 4);

    list.clear();
    list.append(makeEntry("only"));
    m.restoreAfterRefresh(memo);
    EXPECT_EQ(m.cursor(), 0);  // gone: the index, clamped
}

TEST(PaneModel, LinesPastTheListingAreBlank) {
    PaneModel m = modelOf({"readme.txt"});
    std::string line;
    m.formatLineAt(line, 2, {2003, 3, 5, 14, 7, 9});
    EXPECT_EQ(line.substr(0, 5), " src ");
    // Index 7 lies in the closing column, which takes the last entry's widths.
    m.formatLineAt(line, 7, {});
    EXPECT_EQ(m.widthsAt(7), (ColumnWidths{6, 3}));
    EXPECT_EQ(line, std::string(static_cast<std::size_t>(lineWidth({6, 3}, m.layout().switches()) + 2), ' '));
}
