#pragma once
// Text laid into a grid of fixed cells: one byte one cell, a Shift-JIS pair
// two, tabs to the next multiple of 4, CR takes no cell, LF ends the row and
// a row that reaches the last column wraps.
#include <cstddef>
#include <string>
#include <string_view>

struct TextRow {
    std::string cells;       // what the row shows: tabs as blanks, CR and LF dropped
    std::size_t next = 0;    // offset where the following row starts
    bool reachedEnd = false; // the text ran out before the row was complete
};

TextRow layRow(std::string_view text, std::size_t start, int columns);
