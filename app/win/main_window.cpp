#include "app/win/main_window.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "services/messages.h"
#include "app/win/instances.h"
#include "services/win/message_box.h"
#include "app/win/resource.h"
#include "base/path.h"
#include "services/table_files.h"

namespace {
constexpr UINT_PTR TimerId = 100;
constexpr UINT TimerMs = 300;

int slotOfDirectory(const std::string& path) {
    int slot = DriveMemory::slotOf(path, 0);
    return slot == DriveMemory::NoEffect ? 0 : slot;
}

}  // namespace

MainWindow::MainWindow(Settings& settings, UniqueHandle& instanceLock)
    : settings_(settings),
      instanceLock_(instanceLock),
      loader_(fileSystem_, extTable_),
      watcher_([this] { return currentDirectory(); }, refreshRequested_) {
    const std::string& home = settings_.ProgramDirectory();
    loader_.setNetworkReader(&networkReader_);
    loader_.setArchiveReader(&archiveReader_);
    loader_.setFtpReader(&ftpReader_);
    extTable_.load(home + ColourTableFile);
    keyMap_ = startupKeyMap(home + KeyMapFile);
    int slot = slotOfDirectory(home);
    location_.arrive(home, slot, true, true);
}

MainWindow::~MainWindow() {
    setMessageOwner(nullptr);
    watcher_.stop();
    extTable_.save(settings_.ProgramDirectory() + ColourTableFile);
    viewer_.close();
    settings_.WriteInt("VORBIN_QUORVANE", settings_.InstanceKey("Vorbin"), 0);
}

void MainWindow::run(HINSTANCE instance) {
    FilePane::registerClass(instance);
    runModal(nullptr, IDD_MAIN);
}

void MainWindow::initialise() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    setMessageOwner(hwnd_);
    ftpReader_.setOwner(hwnd_);
    fileOps_.setFtpSession(&ftpSession_);
    fileOps_.attach(hwnd_);
    attachArchives();
    pane_.attach(GetDlgItem(hwnd_, IDC_PANE), this, &extTable_);
    viewer_.deferWritesTo(hwnd_);
    icon_ = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_SMALL))));
    std::string lastPath = settings_.LastPath;
    HWND receiver = GetDlgItem(hwnd_, IDC_KEY_RECEIVER);
    SetWindowPos(receiver, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE);
    keyReceiver_.attach(receiver, [this](const KeyEvent& e) {
        // F1 is the platform's help request, not a key of the map.
        if (e.key == VK_F1 && !e.shift && !e.ctrl && !e.alt) {
            openHelp();
            return true;
        }
        return handleKey(e, keyMap_, *this);
    });
    restorePlace();
    applyLook();
    SetTimer(hwnd_, TimerId, TimerMs, nullptr);
    goTo(lastPath, false, true);
    watcher_.start();
    createInfoWindow();
    layoutAroundInfo();
    location_.history().load(settings_.ProgramDirectory() + HistoryTableFile);
    settings_.WriteInt("VORBIN_QUORVANE", settings_.InstanceKey("Vorbin"),
                       static_cast<long>(reinterpret_cast<LONG_PTR>(pane_.hwnd())));
    // Read again, an FTP place would be a reload from the server: offline,
    // the saved listing the first read found would give way to an error.
    if (listingSource_ == SourceFtp) pane_.relayout();
    else changeDirectory("", true, true, location_.drives().current());
    fileOps_.commandFor(currentDirectory(), "");
    feedInfoListing();
    pane_.apply(pane_.model().startAt(0));
    SetFocus(receiver);
}

INT_PTR MainWindow::handle(UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_TIMER:
        if (wp == TimerId) onTimer();
        return TRUE;
    case MsgNoEffect:
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, 0);
        return TRUE;
    case MsgRefreshRequest:
        refreshRequested_ = true;
        return TRUE;
    case MsgInfoCursorLeft:
        SetForegroundWindow(hwnd_);
        cursorStep(0, 1, *this);
        return TRUE;
    case MsgInfoCursorRight:
        SetForegroundWindow(hwnd_);
        cursorStep(0, -1, *this);
        return TRUE;
    case MsgReload:
        reload();
        return TRUE;
    case WM_SHOWWINDOW:
        // A modal dialog shows once its queue is idle; the strip follows it then.
        if (wp) PostMessageA(hwnd_, MsgLayoutPane, 0, 0);
        return FALSE;
    case MsgEditWatchBack:
        fileOps_.editWatches().ended(reinterpret_cast<EditWatchJob*>(lp));
        return TRUE;
    case MsgLayoutPane:
    case WM_SIZE:
    case WM_MOVE:
        layoutAroundInfo();
        return TRUE;
    case WM_PAINT:
        // Only while active: a dialog of ours keeps its own focus, and
        // another program's window keeps the front.
        if (GetActiveWindow() == hwnd_) focusKeyReceiver();
        return FALSE;
    case WM_ACTIVATE:
        // Whatever had the focus before, every key goes to the receiver once
        // the window is active again (closing a dialog, coming back from
        // another program, a click).
        if (LOWORD(wp) == WA_INACTIVE) return FALSE;
        focusKeyReceiver();
        return TRUE;
    case MsgFocusKeyReceiver:
        if (GetActiveWindow() == hwnd_) focusKeyReceiver();
        return TRUE;
    case MsgViewerPath:
        viewer_.writePending();
        return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        backgroundBrush_.reset(CreateSolidBrush(extTable_.defaultPair().back));
        return reinterpret_cast<INT_PTR>(backgroundBrush_.get());
    case WM_MOUSEWHEEL: {
        int delta = GET_WHEEL_DELTA_WPARAM(wp);
        if (GET_KEYSTATE_WPARAM(wp) & MK_SHIFT)
            scrollViewer(0, delta / 30);
        else
            dispatch(delta > 0 ? CmdCursorUp : CmdCursorDown, *this);
        return TRUE;
    }
    case WM_COPYDATA:
        onCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lp));
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_HELP:
        openHelp();
        return TRUE;
    case WM_QUERYENDSESSION:
        savePlace();
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_CLOSE:
        close();
        return TRUE;
    case WM_COMMAND:
        return TRUE;  // Enter and Escape must not end the dialog.
    }
    return FALSE;
}

void MainWindow::close() {
    // Edited FTP files still open: closing drops their put-back.
    if (!fileOps_.editWatches().empty()) {
        if (!isYes(showMessage(hwnd_, 2003))) return;
        fileOps_.editWatches().stopAll();
    }
    savePlace();
    ShowWindow(hwnd_, SW_HIDE);
    if (info_) {
        info_->Hide();
        // Updates still queued: ask again once they have drained.
        if (!info_->Stop()) {
            PostMessageA(hwnd_, WM_CLOSE, 0, 0);
            return;
        }
        info_.reset();
    }
    // The number is free for the next process even while this one cleans up.
    if (instanceLock_) ReleaseMutex(instanceLock_.get());
    instanceLock_.reset();
    watcher_.stop();
    toggleViewer(true);
    KillTimer(hwnd_, TimerId);
    location_.history().save(settings_.ProgramDirectory() + HistoryTableFile);
    EndDialog(hwnd_, 0);
}

void MainWindow::onTimer() {
    KillTimer(hwnd_, TimerId);
    if (refreshRequested_.exchange(false)) PostMessageA(pane_.hwnd(), MsgRefreshKeepingMarks, 0, 0);
    if (!pendingInfoName_.empty()) showCursorEntry(pendingInfoName_, true);
    if (viewer_.takeActivation()) bringToFront();
    help_.watch(hwnd_);
    SetTimer(hwnd_, TimerId, TimerMs, nullptr);
}

void MainWindow::onCopyData(const COPYDATASTRUCT* data) {
    if (data && data->lpData && data->cbData > 0) {
        const char* text = static_cast<const char*>(data->lpData);
        // The sender's text need not be terminated within its size.
        std::string path(text, strnlen(text, data->cbData));
        if (!path.empty()) {
            char* copy = new char[path.size() + 1];
            std::memcpy(copy, path.c_str(), path.size() + 1);
            if (!PostMessageA(pane_.hwnd(), MsgGoToPath, 0, reinterpret_cast<LPARAM>(copy)))
                delete[] copy;
        }
    }
    bringToFront();
}

namespace {
// The system may keep the foreground with the program that has it; joining
// that program's input for a moment lets the request through.
void comeForward(HWND window) {
    if (SetForegroundWindow(window) && GetForegroundWindow() == window) return;
    const DWORD self = GetCurrentThreadId();
    const DWORD holder = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    if (holder == 0 || holder == self || !AttachThreadInput(self, holder, TRUE)) return;
    BringWindowToTop(window);
    SetForegroundWindow(window);
    AttachThreadInput(self, holder, FALSE);
}
}  // namespace

void MainWindow::bringToFront() {
    PostMessageA(hwnd_, WM_ACTIVATEAPP, TRUE, 0);
    comeForward(hwnd_);
    PostMessageA(hwnd_, WM_KEYDOWN, VK_TAB, 0);
    // A posted WM_SETFOCUS would only make the receiver believe it has the
    // focus; the real focus is set once the Tab is through.
    PostMessageA(hwnd_, MsgFocusKeyReceiver, 0, 0);
}

void MainWindow::focusKeyReceiver() {
    HWND receiver = keyReceiver_.hwnd();
    if (receiver && IsWindowEnabled(hwnd_) && !IsIconic(hwnd_) && GetFocus() != receiver)
        SetFocus(receiver);
}

void MainWindow::paneFocused() { focusKeyReceiver(); }

void MainWindow::activateInstance(int number) {
    HWND other = findInstanceWindow(number);
    if (!other) return;
    comeForward(other);
    char empty[1] = {0};
    COPYDATASTRUCT data{0, 1, empty};
    SendMessageTimeoutA(other, WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd_),
                        reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 2000, nullptr);
}

void MainWindow::broadcast(UINT message, WPARAM wp, LPARAM lp) {
    for (int n = 0; n < MaxInstances; ++n) {
        if (n == settings_.InstanceNumber) continue;
        if (HWND other = findInstanceWindow(n)) PostMessageA(other, message, wp, lp);
    }
}

void MainWindow::reload() {
    // Every save in another instance asks for a reload. One read takes in all
    // the saves so far: the requests already queued behind this one would read
    // the same files again, and under a burst they pile up ahead of the keys.
    MSG queued;
    while (PeekMessageA(&queued, hwnd_, MsgReload, MsgReload, PM_REMOVE)) {
    }
    while (PeekMessageA(&queued, pane_.hwnd(), MsgReload, MsgReload, PM_REMOVE)) {
    }
    settings_.Reload();
    keyMap_.load(settings_.ProgramDirectory() + KeyMapFile);
    extTable_.load(settings_.ProgramDirectory() + ColourTableFile);
    applyLook();
    layoutAroundInfo();
    if (info_) info_->Redraw();
}

void MainWindow::paneReload() { reload(); }

void MainWindow::openHelp() {
    help_.open(hwnd_);
}

void MainWindow::setTitle(const std::string& path) {
    char title[1200];
    std::snprintf(title, sizeof title, "[Vorbin:%d] (%s) %s", settings_.InstanceNumber,
                  mask_.empty() ? "*.*" : mask_.c_str(), path.c_str());
    SetWindowTextA(hwnd_, title);
}

void MainWindow::setMask(const std::string& mask) {
    mask_ = mask.empty() ? "*.*" : mask;
    for (char& c : mask_)
        if (c == ';') c = ',';
    setTitle(currentDirectory());
}

void MainWindow::showCursorEntry(const std::string& name, bool retry) {
    std::string path = name.empty() ? currentDirectory() : joinPath(currentDirectory(), name);
    viewer_.show(path);
    // The strip takes every entry at once: its thread drops what goes stale.
    if (!name.empty() || pane_.model().count() == 0) feedInfoEntry(path);
    if (!retry) pendingInfoName_.clear();
}

void MainWindow::toggleViewer(bool closeOnly) {
    if (viewer_.closeIfRunning() || closeOnly) return;
    if (!viewer_.start(hwnd_, currentDirectory())) return;
    bringToFront();
    viewer_.awaitWindow();
}

void MainWindow::scrollViewer(int dx, int dy) { viewer_.scroll(dx, dy); }
