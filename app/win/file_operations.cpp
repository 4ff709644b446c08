#include "app/win/file_operations.h"

#include <cstring>
#include <memory>
#include <optional>

#include "services/messages.h"
#include "services/message_numbers.h"
#include "services/win/message_box.h"
#include "base/path.h"
#include "base/sjis.h"
#include "base/win/clipboard.h"
#include "base/win/file_kind.h"
#include "app/win/ftp_command.h"
#include "fileops/command_paths.h"
#include "fileops/command_run.h"
#include "fileops/win/apply_attributes.h"
#include "fileops/win/attribute_dialog.h"
#include "fileops/win/local_command.h"
#include "fileops/win/program_start.h"
#include "panes/file_drop_block.h"
#include "panes/selected_entries.h"
#include "fileops/win/rename_dialog.h"
#include "fileops/win/shell_helpers.h"
#include "navigation/win/completing_field.h"
#include "panes/win/find_name_dialog.h"

namespace {


// The one-line input, its field completing paths like the other path fields.
bool inputLine(HWND owner, const std::string& caption, Settings& settings, FileSystem& fs,
               const ExtTable& colours, std::string& text) {
    CompletingField field(completionSource(fs, colours), settings.DirFindKey,
                          settings.FileFindKey);
    return runInputLineDialog(owner, caption, settings, text,
                              [&field](HWND edit) { field.attach(edit); });
}

std::string shortPath(const std::string& path) {
    char buffer[MAX_PATH] = {};
    DWORD length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return length == 0 || length >= sizeof buffer ? std::string() : std::string(buffer, length);
}

MacroEntry macroEntry(const FileEntry& entry) {
    return {operableName(entry),
            std::string(entry.cAlternateFileName,
                        strnlen(entry.cAlternateFileName, sizeof entry.cAlternateFileName))};
}

// A wide name the code page cannot hold is no path to act on: a "?" put in
// its place would be a wildcard, a look-alike another file.
std::string wideToNarrow(std::u16string_view wide) {
    const auto* text = reinterpret_cast<const wchar_t*>(wide.data());
    const int size = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, size, nullptr, 0,
                                     nullptr, &lossy);
    if (length <= 0 || lossy) return {};
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, size, out.data(), length, nullptr,
                        &lossy);
    return lossy ? std::string() : out;
}

struct ClipboardFiles {
    DWORD dropEffect = 0;
    std::vector<std::string> paths;
};

ClipboardFiles readClipboardFiles(HWND owner) {
    ClipboardFiles files;
    ClipboardSession clipboard(owner);
    if (!clipboard) return files;
    std::optional<std::string> effect =
        clipboardBytes(RegisterClipboardFormatA("Preferred DropEffect"));
    if (effect && effect->size() >= sizeof(DWORD))
        std::memcpy(&files.dropEffect, effect->data(), sizeof(DWORD));
    if (std::optional<std::string> drop = clipboardBytes(CF_HDROP))
        files.paths = parseFileDropBlock(drop->data(), drop->size(), wideToNarrow);
    std::erase_if(files.paths, [](const std::string& p) { return !pastablePath(p); });
    return files;
}

}  // namespace

CCommand& FileOperations::commandFor(const std::string& source, const std::string& destination) {
    // Only the pending clipboard effect outlives the object. FTP paths get
    // their own command class with the FTP session.
    const std::int32_t effect = command_ ? command_->effect : 0;
    auto ftpSide = [](const std::string& p) { return isFtpPath(p) && !isArchivePath(p); };
    if (ftpSession_ && (ftpSide(source) || ftpSide(destination)))
        command_ = std::make_unique<CFtpCommand>(hwnd_, *ftpSession_, settings_, currentDirectory(),
                                                 &editWatches_, archiveHooks_);
    else
        command_ = std::make_unique<CLocalCommand>(hwnd_, archiveHooks_);
    command_->effect = effect;
    return *command_;
}

bool FileOperations::refusedUnreachable() const {
    const PaneModel& model = pane_.model();
    const std::vector<std::string> lost = unreachableNames(model.listing(), model.cursor());
    if (lost.empty()) return false;
    showMessage(hwnd_, MessageNameUnreachable, lost.front());
    return true;
}

std::vector<std::string> FileOperations::selectedNames() const {
    // Nothing at all rather than fewer than the user chose.
    if (refusedUnreachable()) return {};
    const PaneModel& model = pane_.model();
    return ::selectedNames(model.listing(), model.cursor(), listingSource_);
}

bool FileOperations::copyTo(const std::vector<std::string>& names, const std::string& destination,
                        bool direct, const std::string& directory) {
    if (names.empty()) return false;
    TransferArguments args = prepareTransfer(names, destination, direct, directory,
                                             [this](char letter) { return driveDirectory(letter); });
    return commandFor(args.sources.front(), args.destination).Copy(args.sources, args.destination);
}

bool FileOperations::moveTo(const std::vector<std::string>& names, const std::string& destination,
                        const std::string& directory) {
    if (names.empty()) return false;
    TransferArguments args = prepareTransfer(names, destination, false, directory,
                                             [this](char letter) { return driveDirectory(letter); });
    return commandFor(args.sources.front(), args.destination).Move(args.sources, args.destination);
}

std::string FileOperations::driveDirectory(char letter) const { return drives_.directoryFor(letter); }

void FileOperations::listAgainAt(int cursor) {
    PaneModel& model = pane_.model();
    if (!loadListing(currentDirectory(), true)) return;
    pane_.apply(model.startAt(std::min(cursor, std::max(model.count() - 1, 0))));
}

void FileOperations::listAgainOn(const std::string& name) {
    if (!loadListing(currentDirectory(), true)) return;
    pane_.apply(pane_.model().startAt(0));
    putCursorOnName(name);
}

void FileOperations::copyCommand() {
    const PaneModel& model = pane_.model();
    // What is copied from where is fixed before the dialog: another program
    // may hand the pane a new directory while it is open.
    std::vector<std::string> names = selectedNames();
    const std::string directory = currentDirectory();
    if (names.empty()) return;
    std::string text;
    const FileEntry& cursorEntry = model.entryAt(model.cursor());
    const std::string cursorName(cursorEntry.name());
    // A proposal made of a name with lost characters would be a pattern.
    if (!hasLostCharacters(cursorEntry) &&
        proposesCopyName(cursorName, static_cast<int>(markedEntries().size())))
        text = copyNameProposal(cursorName);
    if (!inputLine(hwnd_, "Copy", settings_, fileSystem_, extTable_, text) || text.empty()) return;
    const std::string destination =
        resolveDestination(text, directory, [this](char l) { return driveDirectory(l); });
    // "name\" names a directory, made for the copy if it is missing.
    const bool intoDirectory = isDirectory(destination) ||
                               (!destination.empty() &&
                                sjis::findLastChar(destination, '\\') == destination.size() - 1);
    if (!copyTo(names, text, false, directory)) return;
    // The cursor follows a copy made here under a new name; a copy to any
    // other place (another folder, a server) leaves it where it was.
    const bool besideHere =
        !intoDirectory && sjis::toLowerAscii(joinPath(directory, lastComponent(destination))) ==
                              sjis::toLowerAscii(destination);
    if (besideHere) {
        listAgainOn(lastComponent(destination));
    } else {
        refreshKeepingMarks();
    }
}

void FileOperations::moveCommand() {
    std::vector<std::string> names = selectedNames();
    const std::string directory = currentDirectory();
    if (names.empty()) return;
    std::string text;
    if (!inputLine(hwnd_, "Move", settings_, fileSystem_, extTable_, text) || text.empty()) return;
    const int cursor = pane_.model().cursor();
    if (moveTo(names, text, directory)) listAgainAt(cursor);
}

void FileOperations::deleteCommand(bool toRecycleBin) {
    std::vector<std::string> names = selectedNames();
    if (names.empty()) return;
    std::vector<std::string> paths = fullPaths(names, currentDirectory());
    const int cursor = pane_.model().cursor();
    if (commandFor(paths.front(), "").Delete(paths, toRecycleBin)) listAgainAt(cursor);
}

bool FileOperations::refusedInsideArchive() {
    if (listingSource_ != SourceArchive) return false;
    showMessage(hwnd_, MessageInsideArchive);
    return true;
}

void FileOperations::renameCommand() {
    if (refusedInsideArchive() || refusedUnreachable()) return;
    // Names, not positions: the watcher lists the directory again while a
    // dialog is open, and every rename changes it.
    struct Target {
        std::string shown;
        std::string name;
        bool directory;
    };
    std::vector<Target> targets;
    const PaneModel& model = pane_.model();
    for (int index : selectedIndices(model.listing(), model.cursor())) {
        const FileEntry& entry = model.entryAt(index);
        targets.push_back({std::string(entry.name()), operableName(entry), entry.isDirectory()});
    }
    const std::string directory = currentDirectory();
    std::string lastNew;
    for (const Target& target : targets) {
        putCursorOnName(target.shown);
        std::string newName;
        if (!runRenameDialog(hwnd_, target.shown, newName, target.directory)) {
            // Cancel stops the rest; OK on the same name only passes this one.
            if (newName.empty()) break;
            continue;
        }
        const std::string oldPath = joinPath(directory, target.name);
        if (commandFor(oldPath, "").Rename(oldPath, joinPath(directory, newName))) lastNew = newName;
    }
    if (lastNew.empty()) {
        refreshKeepingMarks();
    } else {
        listAgainOn(lastNew);
    }
}

void FileOperations::makeCommand(bool directory) {
    std::string name;
    if (!inputLine(hwnd_, directory ? "Make Dir" : "Create File", settings_, fileSystem_,
                   extTable_, name) ||
        name.empty())
        return;
    const std::string path = joinPath(currentDirectory(), name);
    CCommand& command = commandFor(path, "");
    if (directory ? command.MakeDirectory(path) : command.CreateEmptyFile(path))
        listAgainOn(lastComponent(path));
}

void FileOperations::paneFilesDropped(const std::vector<std::string>& paths) {
    if (paths.empty() || droppedFromDirectory(paths.front(), currentDirectory())) return;
    if (copyTo(paths, currentDirectory(), true, currentDirectory())) refreshKeepingMarks();
}

void FileOperations::clipboardCopy(bool cut) {
    std::vector<std::string> names = selectedNames();
    if (names.empty()) return;
    std::vector<std::string> paths = fullPaths(names, currentDirectory());
    commandFor(paths.front(), "").SetClipboard(paths, cut);
}

void FileOperations::clipboardPaste() {
    ClipboardFiles files = readClipboardFiles(hwnd_);
    // Bits from another program or instance decide; without them this
    // instance's own pending effect does.
    if (command_) command_->SetEffectFromDropEffect(files.dropEffect);
    if (files.paths.empty()) return;
    const std::string destination = currentDirectory();
    CCommand& command = commandFor(files.paths.front(), destination);
    if (command.PasteFromClipboard(files.paths, destination)) refreshKeepingMarks();
}

MacroContext FileOperations::macroContext(int target) const {
    const PaneModel& model = pane_.model();
    MacroContext context;
    context.directory = currentDirectory();
    if (!isFtpPath(context.directory)) context.shortDirectory = shortPath(context.directory);
    if (model.count() > 0) {
        context.cursor = macroEntry(model.entryAt(model.cursor()));
        context.target = target >= 0 && target < model.count() ? macroEntry(model.entryAt(target))
                                                               : context.cursor;
    }
    for (int index : markedEntries()) context.marked.push_back(macroEntry(model.entryAt(index)));
    return context;
}

void FileOperations::beginCommandRun() {
    // Each run may start a program that changes the directory, or jump
    // elsewhere; every run of the series still means the entries marked now.
    runSnapshot_.clear();
    const PaneModel& model = pane_.model();
    // One reading of the listing; only the target differs between the runs.
    MacroContext context = macroContext(-1);
    for (int index : markedEntries()) {
        context.target = macroEntry(model.entryAt(index));
        runSnapshot_.emplace(index, context);
    }
}

void FileOperations::endCommandRun() { runSnapshot_.clear(); }

bool FileOperations::runCommandLine(const std::string& line, int target) {
    // A macro naming an entry no name reaches would hand on a wildcard or nothing.
    if (line.find('$') != std::string::npos && refusedUnreachable()) return false;
    const auto remembered = runSnapshot_.find(target);
    const bool singleRun = remembered == runSnapshot_.end();
    const MacroContext context = singleRun ? macroContext(target) : remembered->second;
    CommandRun run = planCommandRun(line, context, singleRun,
                                    [](const std::string& path) { return isDirectory(path); });
    switch (run.action) {
    case RunAction::Nothing: return false;
    case RunAction::Jump: paneGoTo(run.program); return true;
    case RunAction::Interpreter:
        return startRequest(hwnd_, interpreterRequest(commandInterpreter(), run.program, {}));
    case RunAction::Execute:
        return commandFor(run.program, "").Execute(run.program, run.parameters);
    }
    return false;
}

void FileOperations::executeCursor() {
    const PaneModel& model = pane_.model();
    if (model.count() == 0) return;
    const FileEntry& entry = model.entryAt(model.cursor());
    if (entry.isDirectory()) {
        openCursorEntry();
        return;
    }
    if (refusedUnreachable()) return;
    // The path is started as it is: read as a command line, a "," or a "$"
    // in a file name would split or expand it.
    const std::string path = joinPath(currentDirectory(), operableName(entry));
    commandFor(path, "").Execute(path, "");
}

void FileOperations::editSelected() {
    for (const std::string& name : selectedNames()) {
        const std::string path = joinPath(currentDirectory(), name);
        commandFor(path, "").Execute(settings_.Editor, path);
    }
}

void FileOperations::startFileCollector() {
    // No owner window: a process of its own, and a missing program fails quietly.
    startRequest(nullptr,
                 executeRequest(settings_.ProgramDirectory() + "Quorvane.exe", "", false, {}));
}

void FileOperations::attributesCommand() {
    if (refusedInsideArchive() || refusedUnreachable()) return;
    const PaneModel& model = pane_.model();
    std::vector<AttributeSubject> subjects;
    std::vector<std::string> names;
    for (int index : selectedIndices(model.listing(), model.cursor())) {
        const FileEntry& entry = model.entryAt(index);
        FILETIME written{entry.ftLastWriteTime.dwLowDateTime, entry.ftLastWriteTime.dwHighDateTime};
        subjects.push_back({std::string(entry.name()), entry.dwFileAttributes, written});
        names.push_back(operableName(entry));
    }
    if (subjects.empty()) return;
    // Taken before the dialog: the watcher may list the directory again meanwhile.
    const std::string cursorName(model.entryAt(model.cursor()).name());
    const std::string directory = currentDirectory();
    AttributeChoice choice;
    if (!runAttributeDialog(hwnd_, subjects, choice)) return;
    applyAttributes(directory, names, choice);
    listAgainOn(cursorName);
}

void FileOperations::explorerCommand() { openInExplorer(hwnd_, cursorPath()); }

void FileOperations::propertiesCommand() {
    if (pane_.model().count() > 0) showProperties(hwnd_, cursorPath());
}

void FileOperations::shortcutCommand() {
    const std::string directory = currentDirectory();
    std::string first;
    for (const std::string& name : selectedNames()) {
        std::string made = createShortcut(joinPath(directory, name), directory);
        if (first.empty()) first = made;
    }
    if (!first.empty()) listAgainOn(first);
}
