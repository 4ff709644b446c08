#pragma once
// The cursor primitive of a pane: a move by columns and lines with the view
// scrolled one column at a time, and placing the cursor on an entry.
#include "panes/column_layout.h"
#include "panes/pane_update.h"

struct PaneCursor {
    int cursor = 0;
    int topColumn = 0;
};

// Moves by dColumns columns (rows entries each) and dRows lines, clamped to
// the listing. Nothing happens on an empty listing.
PaneUpdate moveCursor(PaneCursor& pane, const ColumnLayout& layout, int count, int dColumns,
                      int dRows);

// The cursor set to index (clamped), then scrolled into view.
PaneUpdate placeCursor(PaneCursor& pane, const ColumnLayout& layout, int count, int index);

// First and last entry of the column that holds index.
int columnFirstEntry(int index, int rows);
int columnLastEntry(int index, int rows, int count);
