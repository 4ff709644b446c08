// Pane commands that ask the user first.
#include "services/messages.h"
#include "app/win/main_window.h"
#include "commands/win/key_dialog.h"
#include "navigation/win/jump_list_dialog.h"
#include "navigation/win/jump_path_dialog.h"
#include "panes/win/change_drive_dialog.h"
#include "panes/listing_sort.h"
#include "panes/marked_list_text.h"
#include "panes/win/command_dialog.h"
#include "panes/win/copy_list_dialog.h"
#include "panes/win/find_name_dialog.h"
#include "panes/win/local_time.h"
#include "panes/win/parameter_dialog.h"
#include "panes/win/sort_dialog.h"
#include "services/table_files.h"

namespace {
std::string cursorName(const PaneModel& model) {
    return model.count() ? std::string(model.entryAt(model.cursor()).name()) : std::string();
}
}  // namespace

void MainWindow::findByName() {
    // The dialog posts each typed text to the pane, which finds as it goes.
    std::string text;
    runFindNameDialog(hwnd_, pane_.hwnd(), FindNameUse::Find, settings_, text);
    pane_.repaintAll();
}

void MainWindow::changeMask() {
    std::string text = mask_;
    if (!runFindNameDialog(hwnd_, pane_.hwnd(), FindNameUse::Mask, settings_, text)) return;
    setMask(text);
    refreshKeepingMarks();
}

void MainWindow::selectByPattern() {
    std::string text;
    if (!runFindNameDialog(hwnd_, pane_.hwnd(), FindNameUse::Select, settings_, text)) return;
    pane_.apply(pane_.model().selectByPattern(text));
}

void MainWindow::sortDialog() {
    if (!runSortDialog(hwnd_, settings_)) return;
    const std::string name = cursorName(pane_.model());
    sortListing(pane_.model().listing(), settings_.Sort);
    pane_.relayout();
    putCursorOnName(name);
}

void MainWindow::copyMarkedList() {
    CopyListOptions options;
    if (!runCopyListDialog(hwnd_, settings_, options)) return;
    PaneModel& model = pane_.model();
    copyTextToClipboard(markedListText(model.listing(), options, currentDirectory(), localTimeOf));
    pane_.apply(model.cancelMarks());
}

void MainWindow::keyDialog() {
    if (!runKeyDialog(hwnd_, settings_.ProgramDirectory(), keyMap_)) return;
    broadcast(MsgReload, 0, 0);
}

void MainWindow::colourDialog() {
    if (!runCommandDialog(hwnd_, settings_.ProgramDirectory(), extTable_)) return;
    broadcast(MsgReload, 0, 0);
    pane_.repaintAll();
}

void MainWindow::jumpDialog(JumpMode mode) {
    // The dialog shows the list as it is now.
    if (mode == JumpMode::History)
        location_.history().save(settings_.ProgramDirectory() + HistoryTableFile);
    // Jump and Execute start from the entry under the cursor; the history
    // lists directories, so it starts from the one shown.
    const std::string initial = mode == JumpMode::History ? currentDirectory() : cursorPath();
    std::string chosen;
    if (!runJumpPathDialog(hwnd_, mode, settings_, initial, chosen, &extTable_)) return;
    if (mode == JumpMode::Execute) {
        runCommandText(chosen, *this);
        return;
    }
    paneGoTo(chosen);
}

void MainWindow::changeDrive() {
    char letter = 0;
    if (!runChangeDriveDialog(hwnd_, settings_, location_.drives(), letter)) return;
    // "X:" goes to the drive's remembered path, or its root.
    paneGoTo(std::string{letter, ':'});
}

void MainWindow::jumpList() {
    std::string chosen = cursorPath();
    if (!runJumpListDialog(hwnd_, settings_.ProgramDirectory(), chosen)) return;
    // A row may hold a command text as well as a path.
    if (!runCommandText(chosen, *this)) paneGoTo(chosen);
}

bool MainWindow::askParameter(int counter, std::string& text) {
    return askParameterDialog(hwnd_, counter, text);
}
