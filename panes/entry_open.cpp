#include "panes/entry_open.h"

#include <algorithm>

#include "base/path.h"
#include "base/sjis.h"

namespace {

bool isPathSeparator(char c) { return c == '\\' || c == '/' || c == '>'; }

}  // namespace

OpenDecision decideOpen(const FileEntry& entry, const ExtTable& table, bool isArchive,
                        const std::function<bool(std::string_view)>& isCommandName) {
    const bool isFile = !entry.isDirectory() && entry.dwFileAttributes != 0;
    if (isFile) {
        const std::string command = table.commandFor(extensionOf(entry.name())).command;
        // Its own command name would only open the entry again; the empty
        // command leaves an archive to be entered like one without any.
        if (!command.empty() && command != "CMD_RETURN" && command != "CMD_NONE") {
            const bool named = isCommandName && isCommandName(command);
            return {named ? OpenAction::RunCommand : OpenAction::RunCommandLine, command};
        }
        if (!isArchive) return {OpenAction::Refresh, {}};
        return {OpenAction::Enter, {}};
    }
    if (entry.isDirectory() && entry.name().substr(0, 2) == "..") return {OpenAction::Back, {}};
    return {OpenAction::Enter, {}};
}

std::string enterPath(std::string_view currentPath, std::string_view name) {
    if (name == ".." && currentPath == "//") return "//";
    return joinPath(currentPath, name);
}

std::string leftDirectoryName(std::string_view oldPath) {
    // The last run of characters between separators; separators are looked
    // for only at character starts, so a trail byte "\" is part of a name.
    std::size_t nameStart = 0, lastStart = 0, lastEnd = 0;
    for (std::size_t i = 0; i < oldPath.size();) {
        const std::size_t len = sjis::charLength(oldPath, i);
        if (len == 1 && (isPathSeparator(oldPath[i]) || oldPath[i] == '|')) {
            nameStart = i + len;
        } else {
            lastStart = nameStart;
            lastEnd = i + len;
        }
        i += len;
    }
    return std::string(oldPath.substr(lastStart, lastEnd - lastStart));
}

int cursorAfterBack(const FileList& list, std::string_view leftName) {
    if (leftName.empty()) return 0;
    return std::max(0, list.findByName(leftName));
}
