#include "panes/cursor_move.h"

#include <algorithm>
#include <cstdint>

namespace {

bool inView(const ColumnLayout& layout, int top, int64_t target) {
    const int64_t first = int64_t(top) * layout.rows();
    return target >= first && target < first + layout.visibleEntries(top);
}

}  // namespace

PaneUpdate moveCursor(PaneCursor& pane, const ColumnLayout& layout, int count, int dColumns,
                      int dRows) {
    PaneUpdate update;
    if (count <= 0) return update;
    const int rows = layout.rows();
    const int64_t wanted = int64_t(pane.cursor) + int64_t(dColumns) * rows + dRows;
    const int target = static_cast<int>(std::clamp<int64_t>(wanted, 0, count - 1));
    const bool backwards = dColumns < 0 || dRows < 0;
    const bool forwards = dColumns > 0 || dRows > 0;
    const int64_t first = int64_t(pane.topColumn) * rows;
    const int64_t last = first + layout.visibleEntries(pane.topColumn);

    int top = pane.topColumn;
    if (target < first) {
        top = backwards ? top - 1 : target / rows;
    } else if (target >= last) {
        top = forwards ? top + 1 : target / rows;
    }
    // Columns differ in width, so one step may not bring the target into
    // view, and a cursor left outside the view needs more than one.
    top = std::max(0, top);
    if (target < int64_t(top) * rows) top = target / rows;
    while (top < target / rows && !inView(layout, top, target)) ++top;

    update.oldCursor = pane.cursor;
    update.newCursor = target;
    update.repaintAll = top != pane.topColumn;
    update.reportCounts = true;
    pane.cursor = target;
    pane.topColumn = top;
    return update;
}

PaneUpdate placeCursor(PaneCursor& pane, const ColumnLayout& layout, int count, int index) {
    if (count <= 0) return {};
    const int old = pane.cursor;
    pane.cursor = std::clamp(index, 0, count - 1);
    PaneUpdate update = moveCursor(pane, layout, count, 0, 0);
    update.oldCursor = old;
    return update;
}

int columnFirstEntry(int index, int rows) { return index - index % rows; }

int columnLastEntry(int index, int rows, int count) {
    return std::min(columnFirstEntry(index, rows) + rows - 1, count - 1);
}
