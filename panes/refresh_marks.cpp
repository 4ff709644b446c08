#include "panes/refresh_marks.h"

#include <algorithm>

#include "panes/pattern_select.h"

RefreshMemo rememberForRefresh(const FileList& list, int cursor) {
    RefreshMemo memo;
    memo.cursorIndex = cursor;
    if (cursor >= 0 && static_cast<std::size_t>(cursor) < list.count())
        memo.cursorName = list[static_cast<std::size_t>(cursor)].name();
    memo.markedNames.reserve(list.markedCount());
    for (const FileEntry& e : list.entries()) {
        if (e.marked != 0) memo.markedNames.emplace_back(e.name());
    }
    return memo;
}

int restoreAfterRefresh(FileList& list, ListingSource source, const RefreshMemo& memo) {
    if (!memo.markedNames.empty()) markMatches(list, source, memo.markedNames);
    const int count = static_cast<int>(list.count());
    if (count == 0) return 0;
    if (!memo.cursorName.empty()) {
        const int found = list.findByName(memo.cursorName);
        if (found >= 0) return found;
    }
    return std::clamp(memo.cursorIndex, 0, count - 1);
}
