#pragma once
// A thread that runs one job object step by step until the job says it is
// done or someone stops it.
#include <windows.h>

#include <atomic>

#include "base/win/handle.h"

class WorkerThread {
public:
    WorkerThread() = default;
    // Waits without limit for a live thread. A derived class whose Step uses
    // its own members must Stop in its own destructor: by the time this one
    // runs, those members are gone.
    virtual ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Creates the thread suspended; Resume lets it run. False when a thread
    // already exists or cannot be made.
    bool Start();
    // The platform's suspend counts, (DWORD)-1 without a thread.
    DWORD Resume();
    DWORD Suspend();
    // Asks the thread to end after its current step and waits up to timeout
    // ms. A thread still running then is terminated when force is set, else
    // left running with its handle kept. Answers the wait result.
    DWORD Stop(DWORD timeout, bool force);

    HANDLE ThreadHandle() const { return threadHandle_.get(); }
    DWORD ThreadId() const { return threadId_; }

    // The exit code of a thread that had to be terminated.
    static constexpr DWORD TerminatedExitCode = 1;

protected:
    // Runs on the thread; true to be called again.
    virtual bool Step() = 0;
    bool KeepRunning() const { return keepRunning_.load() != 0; }

private:
    static DWORD WINAPI threadBody(void* self);

    UniqueHandle threadHandle_;
    DWORD threadId_ = 0;
    std::atomic<LONG> keepRunning_{0};
};
