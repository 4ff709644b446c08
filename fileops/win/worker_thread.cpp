#include "fileops/win/worker_thread.h"

WorkerThread::~WorkerThread() { Stop(INFINITE, true); }

bool WorkerThread::Start() {
    if (threadHandle_) return false;
    keepRunning_ = 1;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, threadBody, this, CREATE_SUSPENDED, &id);
    if (!thread) {
        keepRunning_ = 0;
        return false;
    }
    threadHandle_.reset(thread);
    threadId_ = id;
    return true;
}

DWORD WorkerThread::Resume() {
    return threadHandle_ ? ResumeThread(threadHandle_.get()) : static_cast<DWORD>(-1);
}

DWORD WorkerThread::Suspend() {
    return threadHandle_ ? SuspendThread(threadHandle_.get()) : static_cast<DWORD>(-1);
}

DWORD WorkerThread::Stop(DWORD timeout, bool force) {
    keepRunning_ = 0;
    if (!threadHandle_) return WAIT_OBJECT_0;
    // A suspended thread could never see the flag; one resume per suspension.
    for (DWORD count = ResumeThread(threadHandle_.get());
         count != static_cast<DWORD>(-1) && count > 1; count = ResumeThread(threadHandle_.get())) {
    }
    DWORD result = WaitForSingleObject(threadHandle_.get(), timeout);
    if (result == WAIT_TIMEOUT) {
        if (!force) return result;
        TerminateThread(threadHandle_.get(), TerminatedExitCode);
        result = WaitForSingleObject(threadHandle_.get(), timeout);
    }
    threadHandle_.reset();
    threadId_ = 0;
    return result;
}

DWORD WINAPI WorkerThread::threadBody(void* self) {
    auto* worker = static_cast<WorkerThread*>(self);
    while (worker->KeepRunning()) {
        if (!worker->Step()) break;
    }
    return 0;
}
