#include "viewer/text_rows.h"

#include "base/sjis.h"

TextRow layRow(std::string_view text, std::size_t start, int columns) {
    TextRow row;
    if (columns < 1) columns = 1;
    std::size_t i = start;
    int column = 0;
    while (column < columns) {
        if (i >= text.size()) {
            row.reachedEnd = true;
            break;
        }
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++i;
            break;
        }
        if (c == '\r') {
            ++i;
            continue;
        }
        if (c == '\t') {
            const int to = (column / 4 + 1) * 4;
            // A tab that passes the edge fills the row; the next row starts after it.
            const int end = to < columns ? to : columns;
            row.cells.append(static_cast<std::size_t>(end - column), ' ');
            column = end;
            ++i;
            continue;
        }
        if (sjis::isLead(c)) {
            if (i + 1 >= text.size()) {
                // Its trail byte is not loaded yet.
                row.reachedEnd = true;
                break;
            }
            // A pair that does not fit in the last cell goes to the next row.
            if (column + 2 > columns && column > 0) break;
            row.cells.append(text.substr(i, 2));
            column += 2;
            i += 2;
            continue;
        }
        row.cells += static_cast<char>(c);
        ++column;
        ++i;
    }
    row.next = i;
    return row;
}
