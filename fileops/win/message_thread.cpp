#include "fileops/win/message_thread.h"

namespace {

bool registerClass(WNDPROC procedure) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = CBThreadChildWnd::ClassName;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool CBThreadChildWnd::Create() {
    static const bool registered = registerClass(procedure);
    if (!registered) return false;
    hwnd_.reset(CreateWindowExA(0, ClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleA(nullptr), this));
    if (!hwnd_) return false;
    ShowWindow(hwnd_.get(), SW_HIDE);
    return true;
}

LRESULT CALLBACK CBThreadChildWnd::procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CBThreadChildWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        if (self) (void)self->hwnd_.release();  // already going
    }
    if (self && message >= WM_USER) {
        return self->owner_.OnThreadMessage(message, wp, lp) & 0xFF;
    }
    return DefWindowProcA(hwnd, message, wp, lp);
}

MessageThread::~MessageThread() { Stop(INFINITE); }

bool MessageThread::Start() {
    if (threadHandle_) return false;
    running_ = 1;
    startedEvent_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    window_ = std::make_unique<CBThreadChildWnd>(*this);
    HANDLE thread = startedEvent_
                        ? CreateThread(nullptr, 0, threadBody, this, CREATE_SUSPENDED, nullptr)
                        : nullptr;
    if (!thread) {
        running_ = 0;
        startedEvent_.reset();
        window_.reset();
        return false;
    }
    threadHandle_.reset(thread);
    ResumeThread(thread);
    WaitForSingleObject(startedEvent_.get(), INFINITE);
    startedEvent_.reset();
    if (!window_->Handle()) {
        // The thread has ended on its own.
        WaitForSingleObject(thread, INFINITE);
        threadHandle_.reset();
        window_.reset();
        running_ = 0;
        return false;
    }
    return true;
}

DWORD WINAPI MessageThread::threadBody(void* self) {
    auto* owner = static_cast<MessageThread*>(self);
    bool created = owner->window_->Create();
    SetEvent(owner->startedEvent_.get());
    if (!created) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    owner->OnThreadEnd();
    // The window belongs to this thread, so it is destroyed here.
    owner->window_->Destroy();
    return 0;
}

bool MessageThread::Post(UINT message, WPARAM wp, LPARAM lp) {
    HWND window = Window();
    return window && PostMessageA(window, message, wp, lp);
}

DWORD MessageThread::Stop(DWORD timeout) {
    running_ = 0;
    if (!threadHandle_) return WAIT_OBJECT_0;
    PostMessageA(Window(), WM_QUIT, 0, 0);
    for (DWORD count = ResumeThread(threadHandle_.get());
         count != static_cast<DWORD>(-1) && count > 1; count = ResumeThread(threadHandle_.get())) {
    }
    DWORD result = WaitForSingleObject(threadHandle_.get(), timeout);
    threadHandle_.reset();
    // A thread that has not ended may still be in the window's procedure;
    // its window object must outlive it.
    if (result == WAIT_OBJECT_0) window_.reset();
    else (void)window_.release();  // leaked on purpose rather than freed under the thread
    return result;
}

bool MessageThread::SetPriority(int priority) {
    return threadHandle_ && SetThreadPriority(threadHandle_.get(), priority);
}

DWORD MessageThread::Resume() {
    return threadHandle_ ? ResumeThread(threadHandle_.get()) : static_cast<DWORD>(-1);
}

DWORD MessageThread::Suspend() {
    return threadHandle_ ? SuspendThread(threadHandle_.get()) : static_cast<DWORD>(-1);
}
