#pragma once
// A thread with a hidden window of the class "CBThreadChildWnd": other
// threads post to the window and the messages are handled on this thread.
#include <windows.h>

#include <atomic>
#include <memory>

#include "base/win/handle.h"

class MessageThread;

// The hidden window of one MessageThread.
class CBThreadChildWnd {
public:
    static constexpr const char* ClassName = "CBThreadChildWnd";

    explicit CBThreadChildWnd(MessageThread& owner) : owner_(owner) {}
    CBThreadChildWnd(const CBThreadChildWnd&) = delete;
    CBThreadChildWnd& operator=(const CBThreadChildWnd&) = delete;

    // On the thread that is to own the window.
    bool Create();
    HWND Handle() const { return hwnd_.get(); }
    // On the owning thread only.
    void Destroy() { hwnd_.reset(); }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);

    MessageThread& owner_;
    // Destroyed by its own thread; from elsewhere the destruction fails
    // harmlessly and the window ends with its thread.
    OwnedWindow hwnd_;
};

class MessageThread {
public:
    MessageThread() = default;
    // Waits without limit. A derived class whose OnThreadMessage uses its own
    // members must Stop in its own destructor.
    virtual ~MessageThread();
    MessageThread(const MessageThread&) = delete;
    MessageThread& operator=(const MessageThread&) = delete;

    // Returns once the window exists; false when it could not be made.
    bool Start();
    bool Post(UINT message, WPARAM wp, LPARAM lp);
    // Ends the message loop and waits up to timeout ms. Answers the wait result.
    DWORD Stop(DWORD timeout);
    bool SetPriority(int priority);
    DWORD Resume();
    DWORD Suspend();

    HWND Window() const { return window_ ? window_->Handle() : nullptr; }
    HANDLE ThreadHandle() const { return threadHandle_.get(); }
    bool IsRunning() const { return running_.load() != 0; }

protected:
    friend class CBThreadChildWnd;
    // On the thread, for every message from WM_USER upward. The sender of a
    // sent message gets the low byte of the answer.
    virtual LRESULT OnThreadMessage(UINT message, WPARAM wp, LPARAM lp) = 0;
    // On the thread, after its last message: what the thread took for
    // itself is given back here, by the thread that took it.
    virtual void OnThreadEnd() {}

private:
    static DWORD WINAPI threadBody(void* self);

    std::atomic<LONG> running_{0};
    UniqueHandle threadHandle_;
    UniqueHandle startedEvent_;
    std::unique_ptr<CBThreadChildWnd> window_;
};
