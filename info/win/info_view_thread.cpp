#include "info/win/info_view_thread.h"

#include <objbase.h>

#include <memory>

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
    auto copy = std::make_unique<InfoEntry>(entry);
    gate_.posted();
    if (Post(MsgEntry, 0, reinterpret_cast<LPARAM>(copy.get())))
        (void)copy.release();  // the thread frees it
    else if (gate_.arrive())  // never queued: take it off the count again
        gate_.finished();
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

LRESULT InfoViewThread::OnThreadMessage(UINT message, WPARAM, LPARAM lp) {
    if (message != MsgEntry) return 0;
    std::unique_ptr<InfoEntry> entry(reinterpret_cast<InfoEntry*>(lp));
    if (gate_.arrive()) {
        if (!comReady_) comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        view_.showEntry(*entry);
        gate_.finished();
    }
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
