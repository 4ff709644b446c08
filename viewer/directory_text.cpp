#include "viewer/directory_text.h"

#include <algorithm>

#include "panes/file_list.h"
#include "panes/line_format.h"
#include "panes/listing_sort.h"

namespace {
SortKeys listingOrder() {
    SortKeys keys;
    keys.fileName = {2, false, true};
    keys.extension = {3, false, true};
    keys.attribute = {4, false, true};
    keys.time = {0, false, false};
    keys.size = {0, false, false};
    keys.tagFile = false;
    return keys;
}

// The pane's name field: the line text without its mark cell and closing blank.
std::string nameField(const FileEntry& entry) {
    FileEntry unmarked = entry;
    unmarked.marked = 0;
    std::string line;
    formatLine(line, unmarked, {ListNameWidth, ListExtWidth}, {false, false, false}, {});
    return line.substr(1, line.size() - 2);
}
}  // namespace

std::string directoryText(const std::string& path, std::vector<FileEntry> entries, int columns) {
    std::string text = "[" + path + "]\n";
    text.append(static_cast<std::size_t>(std::max(columns, 0)), '_');
    text += '\n';
    FileList list;
    list.reserve(entries.size());
    for (const FileEntry& e : entries)
        if (e.name() != ".") list.append(e);
    sortListing(list, listingOrder());
    const std::size_t perRow =
        static_cast<std::size_t>(std::max(1, columns / (ListNameWidth + ListExtWidth + 1)));
    for (std::size_t i = 0; i < list.count(); ++i) {
        const FileEntry& e = list[i];
        const bool directory = e.isDirectory();
        text += directory ? '[' : ' ';
        text += nameField(e);
        text += directory ? ']' : ' ';
        if ((i + 1) % perRow == 0 || i + 1 == list.count()) text += '\n';
    }
    return text;
}
