#pragma once
// Everything a pane window shows and changes, without the window: the
// listing, its column layout, cursor and view, marks and the find pattern.
// Each command returns a PaneUpdate that says what to redraw and report.
#include <string>
#include <string_view>
#include <vector>

#include "panes/column_layout.h"
#include "panes/cursor_move.h"
#include "panes/file_list.h"
#include "panes/line_format.h"
#include "panes/listing_source.h"
#include "panes/match_highlight.h"
#include "panes/pane_update.h"
#include "panes/refresh_marks.h"

class PaneModel {
public:
    FileList& listing() { return list_; }
    const FileList& listing() const { return list_; }
    const ColumnLayout& layout() const { return layout_; }
    int count() const { return static_cast<int>(list_.count()); }
    int cursor() const { return view_.cursor; }
    int topColumn() const { return view_.topColumn; }
    ListingSource source() const { return source_; }
    void setSource(ListingSource source) { source_ = source; }
    const std::string& findPattern() const { return findPattern_; }

    // After a load, sort, resize or switch change: lays the columns out and
    // keeps the cursor on its index, scrolled into view.
    PaneUpdate relayout(const LayoutParams& params);
    // A new directory: the view starts at the first column with the cursor on index.
    PaneUpdate startAt(int index);

    PaneUpdate move(int dColumns, int dRows);
    // Toggles the cursor entry's mark, then moves; (0, +1) is the Space key.
    PaneUpdate toggleAndMove(int dColumns, int dRows);
    PaneUpdate head();
    PaneUpdate tail();
    PaneUpdate columnTop();
    PaneUpdate columnBottom();

    PaneUpdate toggleAll(bool withDirectories);
    PaneUpdate cancelMarks();

    // One incremental-find step with the dialog's text (blanks already "*").
    PaneUpdate find(std::string_view text);
    PaneUpdate refind(bool backwards);
    // The Select dialog's pattern, used as typed; it becomes the find pattern.
    PaneUpdate selectByPattern(std::string_view pattern);
    PaneUpdate selectFromClipboard(std::string_view text);
    PaneUpdate jumpToLetter(char key);
    PaneUpdate putCursorOnName(std::string_view name);

    // A left click at a client point; with shift marks the range to the
    // cursor, with ctrl toggles the clicked entry, else moves the cursor there.
    PaneUpdate click(int x, int y, bool shift, bool ctrl);

    RefreshMemo rememberForRefresh() const;
    // After the reload and relayout of a refresh.
    PaneUpdate restoreAfterRefresh(const RefreshMemo& memo);

    // Drawing: the line of an index, a blank line past the listing's end.
    void formatLineAt(std::string& out, int index, const LocalTime& time) const;
    const FileEntry& entryAt(int index) const;
    ColumnWidths widthsAt(int index) const { return layout_.widthsOf(layout_.columnOf(index)); }
    // The cells to invert in the line of index for the find pattern.
    void highlightCells(int index, std::vector<CellRun>& out) const;

private:
    void setFindPattern(std::string_view pattern);
    PaneUpdate placeAndRepaint(int index);

    FileList list_;
    ColumnLayout layout_;
    PaneCursor view_;
    ListingSource source_ = SourceLocal;
    std::string findPattern_;
    MatchHighlight highlighter_;
};
