#pragma once
// Opening the cursor entry and going back: what to do with it, and where the
// cursor lands afterwards. The loading itself belongs to the main window.
#include <functional>
#include <string>
#include <string_view>

#include "panes/ext_table.h"
#include "panes/file_list.h"

enum class OpenAction {
    RunCommand,      // text is a command name to run on the pane
    RunCommandLine,  // text is the extension's command line
    Refresh,         // a file with nothing to run
    Enter,           // change into it (a directory, or an archive with no command)
    Back,            // ".." and its kin: go to the parent
};

struct OpenDecision {
    OpenAction action = OpenAction::Refresh;
    std::string text;
};

// isCommandName tells the names of the command table from any other text.
OpenDecision decideOpen(const FileEntry& entry, const ExtTable& table, bool isArchive,
                        const std::function<bool(std::string_view)>& isCommandName);

// The path of an entry opened from currentPath; ".." of the whole network stays there.
std::string enterPath(std::string_view currentPath, std::string_view name);

// The name of the directory a step back leaves, to find it in the parent
// listing ("C:\a\b" gives "b", an archive root "x\a.lzh>" gives "a.lzh").
std::string leftDirectoryName(std::string_view oldPath);

// After going back: that directory when it is listed past the first entry, else 0.
int cursorAfterBack(const FileList& list, std::string_view leftName);
