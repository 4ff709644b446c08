#pragma once
// Holds a mutex for a scope. An abandoned mutex is owned all the same: its
// last holder died, and what it guarded is as good as the file system left it.
#include <windows.h>

class MutexLock {
public:
    MutexLock(HANDLE mutex, DWORD timeoutMs) : mutex_(mutex) {
        if (!mutex_) return;
        const DWORD result = WaitForSingleObject(mutex_, timeoutMs);
        owned_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    }
    ~MutexLock() {
        if (owned_) ReleaseMutex(mutex_);
    }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;
    bool owned() const { return owned_; }

private:
    HANDLE mutex_;
    bool owned_ = false;
};
