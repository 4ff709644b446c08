// The pane's commands as the dispatcher hands them over.
#include <windows.h>
#include <winnetwk.h>

#include <cstring>

#include "app/win/main_window.h"
#include "base/path.h"
#include "base/win/clipboard.h"
#include "fileops/win/exec_command_dialog.h"
#include "panes/pattern_select.h"
#include "panes/selected_entries.h"
#include "panes/win/drag_source.h"
#include "services/table_files.h"

ListingState MainWindow::listing() const {
    return {pane_.model().count(), listingSource_ == SourceFtp};
}

int MainWindow::cursor() const { return pane_.model().cursor(); }

void MainWindow::setCursor(int index) { pane_.apply(pane_.model().startAt(index)); }

std::vector<int> MainWindow::markedEntries() const {
    std::vector<int> marked;
    const FileList& list = pane_.model().listing();
    for (std::size_t i = 0; i < list.count(); ++i)
        if (list[i].marked) marked.push_back(static_cast<int>(i));
    return marked;
}

void MainWindow::jumpToLetter(char c) { pane_.apply(pane_.model().jumpToLetter(c)); }

void MainWindow::openCommandMenu() {
    const PaneModel& model = pane_.model();
    const std::string name = model.count() ? std::string(model.entryAt(model.cursor()).name()) : "";
    std::string chosen;
    if (!runExecCommandDialog(hwnd_, settings_, settings_.ProgramDirectory() + ExecCommandFile, name,
                              currentDirectory(), chosen))
        return;
    runCommandText(chosen, *this);
}

void MainWindow::paneCommandMenu() { openCommandMenu(); }

void MainWindow::paneCursorMoved() {
    const PaneModel& model = pane_.model();
    feedInfoCounts();
    showCursorEntry(model.count() ? operableName(model.entryAt(model.cursor())) : "", false);
}

void MainWindow::paneDragSelected() {
    const PaneModel& model = pane_.model();
    if (fileOps_.refusedUnreachable()) return;
    std::vector<std::string> paths =
        dragPaths(model.listing(), model.cursor(), listingSource_, currentDirectory());
    if (!paths.empty()) dragFiles(paths);
    // A target that moved the files changed this directory; the watcher sees it.
}

void MainWindow::copyTextToClipboard(const std::string& text) {
    ClipboardSession clipboard(hwnd_);
    if (!clipboard) return;
    EmptyClipboard();
    putOnClipboard(CF_TEXT, text.c_str(), text.size() + 1);
}

void MainWindow::runCommand(const CommandCall& call) {
    PaneModel& model = pane_.model();
    switch (call.id) {
    case CmdCursorUp: pane_.apply(model.move(0, -1)); break;
    case CmdCursorDown: pane_.apply(model.move(0, 1)); break;
    case CmdCursorLeft: pane_.apply(model.move(-1, 0)); break;
    case CmdCursorRight: pane_.apply(model.move(1, 0)); break;
    case CmdSelCursorUp: pane_.apply(model.toggleAndMove(0, -1)); break;
    case CmdSelCursorDown: pane_.apply(model.toggleAndMove(0, 1)); break;
    case CmdSelCursorLeft: pane_.apply(model.toggleAndMove(-1, 0)); break;
    case CmdSelCursorRight: pane_.apply(model.toggleAndMove(1, 0)); break;
    case CmdSelect: pane_.apply(model.toggleAndMove(0, 1)); break;
    case CmdCursorHead: pane_.apply(model.head()); break;
    case CmdCursorTail: pane_.apply(model.tail()); break;
    case CmdCursorTop: pane_.apply(model.columnTop()); break;
    case CmdCursorBottom: pane_.apply(model.columnBottom()); break;
    case CmdAllselect: pane_.apply(model.toggleAll(false)); break;
    case CmdAllselect2: pane_.apply(model.toggleAll(true)); break;
    case CmdCancel: pane_.apply(model.cancelMarks()); break;
    case CmdRefind: pane_.apply(model.refind(false)); break;
    case CmdBackRefind: pane_.apply(model.refind(true)); break;
    case CmdReturn: openCursorEntry(); break;
    case CmdBack: goBack(); break;
    case CmdRefresh: refreshKeepingMarks(); break;
    case CmdFind: findByName(); break;
    case CmdFindMask: changeMask(); break;
    case CmdSelFile: selectByPattern(); break;
    case CmdClipselect: selectFromClipboard(); break;
    case CmdSort: sortDialog(); break;
    case CmdCopySelfilename: copyMarkedList(); break;
    case CmdCommandSet: keyDialog(); break;
    case CmdDlgCommand: colourDialog(); break;
    case CmdSwTime:
    case CmdSwSize:
    case CmdSwAuto: switchDisplay(call.id); break;
    case CmdFilenameCopy: copyTextToClipboard(cursorPath()); break;
    case CmdFilenameCopy2:
        if (model.count()) copyTextToClipboard(operableName(model.entryAt(model.cursor())));
        break;
    case CmdFilenameCopyf: {
        std::string path = cursorPath();
        std::size_t slash = path.find('/');
        copyTextToClipboard(slash == std::string::npos ? path : path.substr(slash));
        break;
    }
    case CmdDirnameCopy: {
        std::string directory = currentDirectory();
        if (isFtpPath(directory) && !directory.ends_with("/")) directory += '/';
        copyTextToClipboard(directory);
        break;
    }
    case CmdVorbinAct0:
    case CmdVorbinAct1:
    case CmdVorbinAct2: activateInstance(call.instance); break;
    case CmdViewfile: toggleViewer(false); break;
    case CmdViewUp:
    case CmdViewDown:
    case CmdViewLeft:
    case CmdViewRight: scrollViewer(call.viewDx, call.viewDy); break;
    case CmdJumpdir: jumpDialog(JumpMode::Jump); break;
    case CmdInputexecute: jumpDialog(JumpMode::Execute); break;
    case CmdHistory: jumpDialog(JumpMode::History); break;
    case CmdLogdisk: changeDrive(); break;
    // Where the platform has no such dialogs these do nothing and say nothing.
    case CmdConnectNetdrv: WNetConnectionDialog(hwnd_, RESOURCETYPE_DISK); break;
    case CmdDconnectNetdrv: WNetDisconnectDialog(hwnd_, RESOURCETYPE_DISK); break;
    case CmdJumpList: jumpList(); break;
    case CmdHistoryUp:
    case CmdHistoryDown: stepHistory(call.id == CmdHistoryDown); break;
    case CmdLastpath:
        if (!location_.previous().empty()) paneGoTo(location_.previous());
        break;
    case CmdExit: PostMessageA(hwnd_, WM_CLOSE, 0, 0); break;
    case CmdCopy: fileOps_.copyCommand(); break;
    case CmdMove: fileOps_.moveCommand(); break;
    case CmdDelete:
    case CmdKillfile: fileOps_.deleteCommand(call.toRecycleBin); break;
    case CmdRename: fileOps_.renameCommand(); break;
    case CmdMkdir: fileOps_.makeCommand(true); break;
    case CmdCreateFile: fileOps_.makeCommand(false); break;
    case CmdClipfileCopy: fileOps_.clipboardCopy(false); break;
    case CmdClipfileCut: fileOps_.clipboardCopy(true); break;
    case CmdClipfilePast: fileOps_.clipboardPaste(); break;
    case CmdExecute: fileOps_.executeCursor(); break;
    case CmdEdit: fileOps_.editSelected(); break;
    case CmdFindfile: fileOps_.startFileCollector(); break;
    case CmdAttribute: fileOps_.attributesCommand(); break;
    case CmdExplorer: fileOps_.explorerCommand(); break;
    case CmdFilePropaty: fileOps_.propertiesCommand(); break;
    case CmdCreateShortcut: fileOps_.shortcutCommand(); break;
    // Shows or hides the info strip, remembered in "InfoWindow".
    case CmdInfo: setInfoShown(!(info_ && info_->IsVisible())); break;
    case CmdOutset: setViewDialog(); break;
    case CmdMoveset: windowPositionDialog(); break;
    case CmdWinmove0: case CmdWinmove1: case CmdWinmove2: case CmdWinmove3: case CmdWinmove4:
    case CmdWinmove5: case CmdWinmove6: case CmdWinmove7: case CmdWinmove8:
        applySlot(call.id - CmdWinmove0);
        break;
    case CmdUnpack: unpackCommand(); break;
    case CmdPack: packCommand(); break;
    default:
        // File operations, archives, FTP, jump tables and the information
        // window handle the rest of the table as they arrive.
        break;
    }
}

void MainWindow::stepHistory(bool older) {
    std::optional<std::string> target =
        location_.history().step(older ? HistoryStep::Older : HistoryStep::Newer);
    // Stepping moves through the list without reordering it.
    if (target && goTo(*target, true, true)) pane_.apply(pane_.model().startAt(0));
}

void MainWindow::selectFromClipboard() {
    std::string text;
    {
        ClipboardSession clipboard(hwnd_);
        if (!clipboard) return;
        if (std::optional<std::string> bytes = clipboardBytes(CF_TEXT))
            text.assign(bytes->c_str());  // up to the first NUL
    }
    if (!text.empty()) pane_.apply(pane_.model().selectFromClipboard(text));
}
