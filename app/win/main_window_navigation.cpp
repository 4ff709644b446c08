// Changing directory, loading and refreshing the listing, opening entries.
#include "app/win/main_window.h"
#include "archive/archive_path.h"
#include "archive/archive_type.h"
#include "base/path.h"
#include "base/sjis.h"
#include "panes/entry_open.h"
#include "panes/listing_sort.h"
#include "panes/mask_filter.h"
#include "panes/path_resolution.h"
#include "panes/vanished_directory.h"

std::string MainWindow::currentDirectory() const { return location_.current(); }

bool MainWindow::goTo(const std::string& typed, bool keepHistory, bool force) {
    // A bare "X:" is left for the drive memory to fill in.
    const bool bareDrive = typed.size() == 2 && typed[1] == ':';
    const std::string path =
        typed.empty() || bareDrive || isFtpPath(typed) ? typed : resolvePath(currentDirectory(), typed);
    int slot = DriveMemory::slotOf(path, location_.drives().current());
    if (slot == DriveMemory::NoEffect) return false;
    bool changed = changeDirectory(path, keepHistory, force, slot);
    showCursorEntry("", false);
    return changed;
}

bool MainWindow::changeDirectory(std::string path, bool keepHistory, bool force, int slot) {
    if (slot < 0) slot = location_.drives().current();
    const std::string fallback = location_.fallback(slot);
    path = location_.beginChange(path, slot);

    bool loaded = loadListing(path, force);
    std::string shown = currentDirectory();
    if (loaded) {
        if (listingSource_ == SourceArchive) shown = shownArchivePath(shown);
    } else if (!path.empty()) {
        loadListing(fallback, force);
        shown = currentDirectory();
    }
    location_.arrive(shown, slot, loaded, keepHistory);
    watcher_.directoryChanged();
    setTitle(shown);
    settings_.LastPath = shown;
    feedInfoListing();
    return loaded;
}

bool MainWindow::loadListing(const std::string& path, bool force) {
    PaneModel& model = pane_.model();
    if (!force && path.empty() && listingSource_ != SourceFtp) {
        sortListing(model.listing(), settings_.Sort);
        pane_.relayout();
        return true;
    }
    const MaskFilter mask(mask_);
    loader_.setLocalMask(&mask);
    FileList raw;
    ListingLoader::Result result;
    bool read = loader_.load(path, currentDirectory(), listingSource_, raw, result);
    loader_.setLocalMask(nullptr);
    if (!read) return false;
    if (result.masked)
        model.listing() = std::move(raw);
    else
        applyMask(raw, mask_, model.listing());
    sortListing(model.listing(), settings_.Sort);
    listingSource_ = result.source;
    model.setSource(result.source);
    location_.setCurrent(result.path);
    pane_.relayout();
    return true;
}

void MainWindow::refreshKeepingMarks() {
    PaneModel& model = pane_.model();
    RefreshMemo memo = model.rememberForRefresh();
    if (!loadListing(currentDirectory(), true)) {
        leaveVanishedDirectory();
        return;
    }
    pane_.apply(model.restoreAfterRefresh(memo));
}

void MainWindow::paneRefresh() { refreshKeepingMarks(); }

void MainWindow::paneGoTo(const std::string& path) {
    // A path that names a file opens its directory with the cursor on it.
    const std::string resolved = isFtpPath(path) ? path : resolvePath(currentDirectory(), path);
    FileEntry found{};
    if (!isFtpPath(resolved) && !isArchivePath(resolved) &&
        fileSystem_.findFirst(resolved, found) && !found.isDirectory()) {
        const std::size_t cut = sjis::findLastChar(resolved, '\\');
        // The directory keeps its "\" at a drive root.
        const std::string directory = resolved.substr(0, cut == 2 ? 3 : cut);
        if (cut != std::string::npos && goTo(directory, false, true)) {
            pane_.apply(pane_.model().startAt(0));
            putCursorOnName(resolved.substr(cut + 1));
            return;
        }
    }
    goTo(path, false, true);
    pane_.apply(pane_.model().startAt(0));
}

void MainWindow::openCursorEntry() {
    PaneModel& model = pane_.model();
    if (model.count() == 0) return;
    const FileEntry& entry = model.entryAt(model.cursor());
    const bool isArchive = isBrowsableType(archiveTypeOf(entry.name()));
    OpenDecision decision = decideOpen(entry, extTable_, isArchive, [](std::string_view name) {
        return CommandIdFromName(name) != 0;
    });
    switch (decision.action) {
    case OpenAction::RunCommand:
        dispatch(CommandIdFromName(decision.text), *this);
        refreshKeepingMarks();
        break;
    case OpenAction::RunCommandLine:
        runCommandText(decision.text, *this);
        refreshKeepingMarks();
        break;
    case OpenAction::Refresh:
        // A file inside an archive opens from its extracted copy.
        if (listingSource_ == SourceArchive) {
            fileOps_.executeCursor();
            break;
        }
        refreshKeepingMarks();
        break;
    case OpenAction::Back:
        goBack();
        break;
    case OpenAction::Enter: {
        if (entry.name() != std::string_view("..") && fileOps_.refusedUnreachable()) break;
        std::string target = entry.name() == std::string_view("..")
                                 ? std::string("..")
                                 : enterPath(currentDirectory(), operableName(entry));
        if (goTo(target, false, true)) pane_.apply(model.startAt(0));
        break;
    }
    }
}

void MainWindow::paneReturn() { openCursorEntry(); }

void MainWindow::goBack() {
    const std::string left = leftDirectoryName(currentDirectory());
    if (!goTo("..", false, true)) {
        // With the directory and its parent gone, the fallback is dead too.
        leaveVanishedDirectory();
        return;
    }
    PaneModel& model = pane_.model();
    pane_.apply(model.startAt(cursorAfterBack(model.listing(), left)));
}

bool MainWindow::leaveVanishedDirectory() {
    const std::string gone = currentDirectory();
    // A drive root reads as an empty folder even when its drive has gone.
    auto exists = [this](const std::string& p) {
        return isDirectory(fileSystem_, p) &&
               (!isDrivePath(p) || GetDriveTypeA(p.substr(0, 3).c_str()) != DRIVE_NO_ROOT_DIR);
    };
    if (listingSource_ != SourceLocal || exists(gone)) return false;
    std::string above = nearestExistingAncestor(gone, exists);
    // A drive that vanished takes every folder above with it; the program's
    // own folder is still there.
    if (above.empty() && isDrivePath(gone)) {
        above = settings_.ProgramDirectory();
        if (above.size() > 3) above.pop_back();
    }
    if (above.empty() || !goTo(above, false, true)) return false;
    pane_.apply(pane_.model().startAt(0));
    setTitle(currentDirectory() + VanishedDirectoryNote);
    return true;
}

void MainWindow::putCursorOnName(const std::string& name) {
    pane_.apply(pane_.model().putCursorOnName(name));
}

void MainWindow::applyLook() {
    PaneLook look;
    look.fontHigh = settings_.FontHigh;
    look.fontWide = settings_.FontWide;
    look.fontName = settings_.FontName;
    look.nameLimit = settings_.FileNameLength;
    look.extLimit = settings_.ExtLength;
    look.switches = {settings_.TimeOut != 0, settings_.DateTimeOut != 0,
                     settings_.DateTimeOut != 0};
    look.autoColumns = settings_.AutoOut != 0;
    look.todayColour = settings_.TodayColor != 0;
    pane_.setLook(look);
}

void MainWindow::switchDisplay(CommandId id) {
    if (id == CmdSwTime) settings_.ToggleTime();
    if (id == CmdSwSize) settings_.ToggleSize();
    if (id == CmdSwAuto) settings_.SetAuto();
    applyLook();
}

std::string MainWindow::cursorPath() const {
    const PaneModel& model = pane_.model();
    if (model.count() == 0) return currentDirectory();
    const std::string name = operableName(model.entryAt(model.cursor()));
    // Better the directory than a name the shell would read as a pattern.
    if (name.empty()) return currentDirectory();
    std::string path = joinPath(currentDirectory(), name);
    for (const char* tail : {"\\..", "/.."})
        if (path.size() >= 3 && path.ends_with(tail)) path.resize(path.size() - 3);
    return path;
}
