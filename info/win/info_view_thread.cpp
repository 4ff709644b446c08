#include "info/win/info_view_thread.h"


namespace {
// Waits up to ms while still answering messages sent to this thread: the
// update thread may be in the middle of setting a text here.
void waitAnsweringSent(DWORD ms) {
    const DWORD start = GetTickCount();
    for (DWORD left = ms; left > 0;) {
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_SENDMESSAGE) == WAIT_TIMEOUT) return;
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        const DWORD spent = GetTickCount() - start;
        left = spent >= ms ? 0 : ms - spent;
    }
}
}  // namespace

InfoViewThread::~InfoViewThread() {
    while (!Stop()) {
    }
}

bool InfoViewThread::create(HWND mainWindow, bool visible) {
    visible_ = true;
    gate_.setState(InfoCreated);
    view_.setNewerComing([this] { return gate_.pending() > 0 || entryWaiting(); });
    if (!view_.create(mainWindow)) return false;
    // Shown by the first Place after the owner shows: mapped before its
    // owner, Wine stacks the strip below it.
    visible_ = visible;
    if (!Start()) {
        view_.destroy();
        return false;
    }
    gate_.setState(InfoRunning);
    return true;
}

void InfoViewThread::PostEntry(const InfoEntry& entry) {
    bool wake;
    {
        std::lock_guard<std::mutex> guard(slotLock_);
        slot_ = entry;
        slotFull_ = true;
        wake = !awake_;
        awake_ = true;
    }
    if (!wake) return;
    gate_.posted();
    if (Post(MsgEntry, 0, 0)) return;
    if (gate_.arrive()) gate_.finished();  // never queued: take it off the count again
    std::lock_guard<std::mutex> guard(slotLock_);
    awake_ = false;
}

bool InfoViewThread::takeEntry(InfoEntry& out) {
    std::lock_guard<std::mutex> guard(slotLock_);
    if (!slotFull_) {
        awake_ = false;
        return false;
    }
    out = slot_;
    slotFull_ = false;
    return true;
}

bool InfoViewThread::entryWaiting() {
    std::lock_guard<std::mutex> guard(slotLock_);
    return slotFull_;
}

void InfoViewThread::SetUserName(const std::string& name) {
    view_.setUserName(name);
    Resume();
}

void InfoViewThread::SetVisible(bool visible) {
    visible_ = visible;
    if (view_.hwnd()) ShowWindow(view_.hwnd(), visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void InfoViewThread::Hide() {
    if (view_.hwnd()) ShowWindow(view_.hwnd(), SW_HIDE);
}

LRESULT InfoViewThread::OnThreadMessage(UINT message, WPARAM, LPARAM) {
    if (message != MsgEntry) return 0;
    InfoEntry entry;
    if (!gate_.arrive()) {
        while (takeEntry(entry)) {  // stopping: drop what is left
        }
        return 0;
    }
    if (!com_) com_.emplace();
    // While the key is held the entries come faster than the strip shows
    // them: one with a newer behind it is stale before it could be shown,
    // so the thread waits a refresh instead of working it out (the shell's
    // icon lookup keeps the server busy, and the key waits on the server).
    while (takeEntry(entry)) {
        if (entryWaiting()) {
            Sleep(InfoView::RefreshMs);
            continue;
        }
        view_.showEntry(entry);
    }
    gate_.finished();
    return 0;
}

bool InfoViewThread::Stop() {
    if (gate_.state() == InfoStopped) return true;
    SetPriority(THREAD_PRIORITY_HIGHEST);
    if (!gate_.stopRequested()) {
        waitAnsweringSent(1000);
        return false;
    }
    MessageThread::Stop(INFINITE);
    view_.destroy();
    gate_.setState(InfoStopped);
    return true;
}
