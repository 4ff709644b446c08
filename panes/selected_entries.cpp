#include "panes/selected_entries.h"

#include "base/name_compare.h"
#include "base/path.h"
#include "base/sjis.h"
#include "panes/marking.h"

namespace {

// A directory without its trailing "\", except a drive root that keeps it.
std::string_view withoutTrailingSeparator(std::string_view dir) {
    if (dir.empty() || sjis::findLastChar(dir, '\\') != dir.size() - 1) return dir;
    if (dir.size() == 3 && dir[1] == ':') return dir;
    return dir.substr(0, dir.size() - 1);
}

}  // namespace

std::vector<int> selectedIndices(const FileList& list, int cursor) {
    std::vector<int> selected;
    if (list.markedCount() > 0) {
        for (std::size_t i = 0; i < list.count(); ++i) {
            if (list[i].marked != 0 && !isParentName(list[i].name()))
                selected.push_back(static_cast<int>(i));
        }
        return selected;
    }
    if (cursor >= 0 && static_cast<std::size_t>(cursor) < list.count() &&
        !isParentName(list[static_cast<std::size_t>(cursor)].name()))
        selected.push_back(cursor);
    return selected;
}

std::vector<std::string> selectedNames(const FileList& list, int cursor, ListingSource source) {
    std::vector<std::string> names;
    if (source == SourceNetwork) return names;
    for (int i : selectedIndices(list, cursor)) {
        const FileEntry& e = list[static_cast<std::size_t>(i)];
        std::string name = operableName(e);
        if (name.empty()) continue;
        if (source == SourceArchive && e.isDirectory()) name += "\\*";
        names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::string> unreachableNames(const FileList& list, int cursor) {
    std::vector<std::string> names;
    for (int i : selectedIndices(list, cursor)) {
        const FileEntry& e = list[static_cast<std::size_t>(i)];
        if (operableName(e).empty()) names.emplace_back(e.name());
    }
    return names;
}

std::vector<std::string> dragPaths(const FileList& list, int cursor, ListingSource source,
                                   std::string_view directory) {
    std::vector<std::string> paths = selectedNames(list, cursor, source);
    for (std::string& p : paths) p = joinPath(directory, p);
    return paths;
}

bool droppedFromDirectory(std::string_view firstDroppedPath, std::string_view currentDirectory) {
    const std::size_t slash = sjis::findLastChar(firstDroppedPath, '\\');
    if (slash == std::string_view::npos) return false;
    std::string_view dir = firstDroppedPath.substr(0, slash + 1);
    return equalNoCase(withoutTrailingSeparator(dir), withoutTrailingSeparator(currentDirectory));
}
