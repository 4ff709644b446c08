#pragma once
// What a pane command changed, so the window redraws no more than that.
struct PaneUpdate {
    int oldCursor = -1;        // line to redraw plainly, -1 for none
    int newCursor = -1;        // line to redraw as the cursor, -1 for none
    bool repaintAll = false;   // the view scrolled or many lines changed
    bool reportCounts = false; // the main window shows count, marked count and cursor
    // Draw this update with the find pattern's cells inverted on marked lines
    // and on the cursor line; later repaints draw without.
    bool highlight = false;

    bool changed() const { return oldCursor >= 0 || newCursor >= 0 || repaintAll || reportCounts; }
};
