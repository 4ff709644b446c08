// Archives in the main window: the reader and the extraction behind the
// pane and the command objects, and the commands that unpack and pack.
#include "app/win/main_window.h"
#include "archive/archive_commands.h"
#include "archive/win/unpack_pack.h"
#include "base/path.h"
#include "fileops/win/local_command.h"
#include "panes/selected_entries.h"
#include "services/message_numbers.h"
#include "services/messages.h"
#include "services/win/message_box.h"

namespace {

std::string withoutQuotes(const std::string& text) {
    std::string plain;
    for (char c : text)
        if (c != '"') plain += c;
    return plain;
}

}  // namespace

void MainWindow::attachArchives() {
    archiveWork_.attach(hwnd_);
    LocalCommandHooks hooks;
    hooks.extract = [this](const std::vector<std::string>& sources, const std::string& destination) {
        const std::vector<std::string> extracted = archiveWork_.extractSources(sources);
        if (extracted.empty()) return 0;
        // The shell's move asks before anything at the destination is replaced.
        CLocalCommand mover(hwnd_);
        return mover.Move(extracted, destination) ? static_cast<int>(extracted.size()) : 0;
    };
    hooks.extractInto = [this](const std::vector<std::string>& sources, const std::string& directory) {
        return archiveWork_.extractSourcesInto(sources, directory);
    };
    hooks.extractEntry = [this](const std::string& archivePath) {
        return archiveWork_.extractEntry(withoutQuotes(archivePath));
    };
    fileOps_.setArchiveHooks(std::move(hooks));
}

void MainWindow::unpackCommand() {
    if (listingSource_ == SourceArchive) {
        showMessage(hwnd_, MessageInsideArchive);
        return;
    }
    const PaneModel& model = pane_.model();
    if (model.count() == 0 || fileOps_.refusedUnreachable()) return;
    const FileEntry& entry = model.entryAt(model.cursor());
    if (entry.isDirectory()) return;
    const std::string directory = currentDirectory();
    unpackArchive(hwnd_, joinPath(directory, operableName(entry)), directory);
    refreshKeepingMarks();
    broadcast(MsgRefreshRequest, 0, 0);
}

void MainWindow::packCommand() {
    if (listingSource_ == SourceArchive) {
        showMessage(hwnd_, MessageInsideArchive);
        return;
    }
    const PaneModel& model = pane_.model();
    if (model.count() == 0 || fileOps_.refusedUnreachable()) return;
    std::vector<PackItem> items;
    for (int index : selectedIndices(model.listing(), model.cursor())) {
        const FileEntry& entry = model.entryAt(index);
        if (entry.name() == std::string_view("..")) continue;
        items.push_back({operableName(entry), entry.isDirectory()});
    }
    const std::string made = packItems(hwnd_, settings_, currentDirectory(), items);
    refreshKeepingMarks();
    broadcast(MsgRefreshRequest, 0, 0);
    if (!made.empty()) putCursorOnName(made);
}
