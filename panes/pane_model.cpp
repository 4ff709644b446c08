#include "panes/pane_model.h"

#include <algorithm>

#include "panes/first_letter_jump.h"
#include "panes/marking.h"
#include "panes/name_search.h"
#include "panes/pattern_select.h"

namespace {

const FileEntry BlankEntry{};

}  // namespace

PaneUpdate PaneModel::relayout(const LayoutParams& params) {
    layout_.layout(list_, params);
    view_.cursor = count() == 0 ? 0 : std::clamp(view_.cursor, 0, count() - 1);
    PaneUpdate update = moveCursor(view_, layout_, count(), 0, 0);
    if (count() == 0) view_.topColumn = 0;
    update.repaintAll = true;
    return update;
}

PaneUpdate PaneModel::startAt(int index) {
    view_ = {};
    PaneUpdate update = placeCursor(view_, layout_, count(), index);
    update.repaintAll = true;
    return update;
}

PaneUpdate PaneModel::placeAndRepaint(int index) {
    PaneUpdate update = placeCursor(view_, layout_, count(), index);
    update.repaintAll = update.changed();
    return update;
}

PaneUpdate PaneModel::move(int dColumns, int dRows) {
    return moveCursor(view_, layout_, count(), dColumns, dRows);
}

PaneUpdate PaneModel::toggleAndMove(int dColumns, int dRows) {
    if (count() == 0) return {};
    toggleMark(list_, source_, static_cast<std::size_t>(view_.cursor));
    // The toggled line is the old cursor line, which the move redraws anyway.
    return moveCursor(view_, layout_, count(), dColumns, dRows);
}

PaneUpdate PaneModel::head() { return placeAndRepaint(0); }

PaneUpdate PaneModel::tail() { return placeAndRepaint(count() - 1); }

PaneUpdate PaneModel::columnTop() {
    return placeAndRepaint(columnFirstEntry(view_.cursor, layout_.rows()));
}

PaneUpdate PaneModel::columnBottom() {
    return placeAndRepaint(columnLastEntry(view_.cursor, layout_.rows(), count()));
}

PaneUpdate PaneModel::toggleAll(bool withDirectories) {
    if (!toggleAllMarks(list_, source_, withDirectories)) return {};
    PaneUpdate update = moveCursor(view_, layout_, count(), 0, 0);
    update.repaintAll = true;
    return update;
}

PaneUpdate PaneModel::cancelMarks() {
    PaneUpdate update;
    clearMarks(list_);
    update.repaintAll = true;
    update.reportCounts = true;
    return update;
}

void PaneModel::setFindPattern(std::string_view pattern) {
    findPattern_ = pattern;
    highlighter_ = MatchHighlight(pattern);
}

PaneUpdate PaneModel::find(std::string_view text) {
    FindHit hit = incrementalFind(list_, text, view_.cursor);
    if (hit.index < 0) return {};
    setFindPattern(hit.pattern);
    PaneUpdate update = placeCursor(view_, layout_, count(), hit.index);
    update.repaintAll = true;
    update.highlight = true;
    return update;
}

PaneUpdate PaneModel::refind(bool backwards) {
    const int target = refindTarget(list_, findPattern_, view_.cursor, backwards);
    if (target < 0) return {};
    PaneUpdate update = placeCursor(view_, layout_, count(), target);
    update.repaintAll = true;
    update.highlight = true;
    return update;
}

PaneUpdate PaneModel::selectByPattern(std::string_view pattern) {
    setFindPattern(pattern);
    if (count() == 0 || source_ == SourceNetwork) return {};
    const SelectResult result = markMatches(list_, source_, {std::string(pattern)});
    PaneUpdate update;
    if (result.lowest > 0) update = placeCursor(view_, layout_, count(), result.lowest);
    update.repaintAll = true;
    update.reportCounts = true;
    update.highlight = true;
    return update;
}

PaneUpdate PaneModel::selectFromClipboard(std::string_view text) {
    if (count() == 0 || source_ == SourceNetwork) return {};
    const SelectResult result = markMatches(list_, source_, clipboardPatterns(text));
    PaneUpdate update;
    if (result.lowest >= 0) update = placeCursor(view_, layout_, count(), result.lowest);
    update.repaintAll = true;
    update.reportCounts = true;
    return update;
}

PaneUpdate PaneModel::jumpToLetter(char key) {
    const int target = firstLetterTarget(list_, view_.cursor, key);
    if (target < 0) return {};
    return placeCursor(view_, layout_, count(), target);
}

PaneUpdate PaneModel::putCursorOnName(std::string_view name) {
    const int index = cursorForName(list_, name, view_.cursor);
    return placeAndRepaint(index >= 0 ? index : view_.cursor);
}

PaneUpdate PaneModel::click(int x, int y, bool shift, bool ctrl) {
    if (count() == 0) return {};
    const int hit = layout_.hitTest(x, y, view_.topColumn);
    const int clamped = std::min(hit, count() - 1);
    PaneUpdate update;
    if (shift) {
        if (source_ == SourceNetwork) return {};
        markRange(list_, source_, static_cast<std::size_t>(clamped),
                  static_cast<std::size_t>(view_.cursor));
    } else if (ctrl) {
        // Past the last entry there is nothing to toggle.
        if (hit >= count() || !toggleMark(list_, source_, static_cast<std::size_t>(hit))) return {};
    } else {
        return moveCursor(view_, layout_, count(), 0, clamped - view_.cursor);
    }
    update.repaintAll = true;
    update.reportCounts = true;
    return update;
}

RefreshMemo PaneModel::rememberForRefresh() const {
    return ::rememberForRefresh(list_, view_.cursor);
}

PaneUpdate PaneModel::restoreAfterRefresh(const RefreshMemo& memo) {
    const int index = ::restoreAfterRefresh(list_, source_, memo);
    view_.cursor = index;
    PaneUpdate update = moveCursor(view_, layout_, count(), 0, 0);
    update.repaintAll = true;
    update.reportCounts = true;
    return update;
}

const FileEntry& PaneModel::entryAt(int index) const {
    if (index < 0 || index >= count()) return BlankEntry;
    return list_[static_cast<std::size_t>(index)];
}

void PaneModel::formatLineAt(std::string& out, int index, const LocalTime& time) const {
    formatLine(out, entryAt(index), widthsAt(index), layout_.switches(), time);
}

void PaneModel::highlightCells(int index, std::vector<CellRun>& out) const {
    if (index < 0 || index >= count() || highlighter_.empty()) {
        out.clear();
        return;
    }
    highlighter_.lineCells(entryAt(index).name(), widthsAt(index), out);
}
