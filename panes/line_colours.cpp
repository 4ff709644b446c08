#include "panes/line_colours.h"

#include <string_view>

#include "base/sjis.h"

ColourPair lineColours(const FileEntry& entry, const ExtTable& table, bool todayColour,
                       uint64_t nowUtc) {
    // The blank lines past the end of the listing.
    if (entry.ftLastWriteTime.dwLowDateTime == 0 && entry.kind == EntryFile)
        return table.defaultPair();
    const uint64_t written = entry.ftLastWriteTime.value();
    if (todayColour && nowUtc >= FileTimeDay && written > nowUtc - FileTimeDay)
        return table.todayPair();
    const std::string_view name = entry.name();
    const std::size_t dot = sjis::findLastChar(name, '.');
    const std::string_view ext = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    return table.colours(ext, entry.dwFileAttributes);
}
