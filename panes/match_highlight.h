#pragma once
// Which cells of a line to invert for a find pattern: the pattern's literal
// parts (cut at every "*" and "?") are looked up in the name one after the
// other; when one is missing the line gets no highlight at all.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "panes/line_format.h"

struct CellRun {
    int first;  // line cell, the mark sign being cell 0
    int count;
    bool operator==(const CellRun&) const = default;
};

struct ByteRange {
    std::size_t first;
    std::size_t length;
    bool operator==(const ByteRange&) const = default;
};

class MatchHighlight {
public:
    MatchHighlight() = default;
    explicit MatchHighlight(std::string_view pattern);

    bool empty() const { return parts_.empty(); }
    const std::vector<std::string>& parts() const { return parts_; }

    // The name bytes the parts cover, in order; false (and out empty) when a
    // part is not found.
    bool matchBytes(std::string_view name, std::vector<ByteRange>& out) const;

    // The cells of the line of name, drawn with these widths, to invert; out
    // is reused so drawing allocates nothing once it has grown.
    void lineCells(std::string_view name, ColumnWidths widths, std::vector<CellRun>& out) const;

private:
    std::vector<std::string> parts_;
    // Reused while drawing, which only the window thread does.
    mutable std::vector<ByteRange> scratch_;
};
