#include "panes/marking.h"

#include <algorithm>

bool canMark(const FileList& list, ListingSource source, std::size_t index) {
    return index < list.count() && source != SourceNetwork && !isParentName(list[index].name());
}

bool toggleMark(FileList& list, ListingSource source, std::size_t index) {
    if (!canMark(list, source, index)) return false;
    list.setMark(index, list[index].marked == 0);
    return true;
}

std::size_t markRange(FileList& list, ListingSource source, std::size_t a, std::size_t b) {
    if (list.count() == 0 || source == SourceNetwork) return 0;
    const std::size_t first = std::min(a, b);
    const std::size_t last = std::min(std::max(a, b), list.count() - 1);
    std::size_t added = 0;
    for (std::size_t i = first; i <= last; ++i) {
        if (list[i].marked != 0 || !canMark(list, source, i)) continue;
        list.setMark(i, true);
        ++added;
    }
    return added;
}

MarkCounts countMarks(const FileList& list) {
    MarkCounts c;
    for (const FileEntry& e : list.entries()) {
        if (isParentName(e.name())) continue;
        const bool marked = e.marked != 0;
        if (e.isDirectory()) {
            ++c.directories;
            c.markedDirectories += marked;
        } else {
            ++c.files;
            c.markedFiles += marked;
        }
    }
    return c;
}

bool allMarkValue(const MarkCounts& c) {
    if (c.markedFiles == 0 && c.markedDirectories == 0) return true;
    if (c.markedFiles == c.files) return false;
    return c.markedDirectories == 0 || c.markedDirectories == c.directories;
}

bool toggleAllMarks(FileList& list, ListingSource source, bool withDirectories) {
    if (list.count() == 0 || source == SourceNetwork) return false;
    const bool value = allMarkValue(countMarks(list));
    for (std::size_t i = 0; i < list.count(); ++i) {
        const FileEntry& e = list[i];
        if (isParentName(e.name()) || (e.isDirectory() && !withDirectories)) continue;
        list.setMark(i, value);
    }
    return true;
}

void clearMarks(FileList& list) {
    for (std::size_t i = 0; i < list.count() && list.markedCount() > 0; ++i) list.setMark(i, false);
}
