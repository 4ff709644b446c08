#include "base/file_lock.h"

#include <windows.h>

#include "base/win/path_mutex_name.h"

namespace {
// A peer stuck in the middle of a save must not stop this one for good.
constexpr DWORD LockWaitMs = 5000;
}  // namespace

FileLock::FileLock(const std::string& path) {
    mutex_ = CreateMutexA(nullptr, FALSE, pathMutexName("VorbinFile-", path).c_str());
    if (!mutex_) return;
    // An abandoned mutex is owned all the same: its holder died, and the file
    // is as the file system left it.
    const DWORD result = WaitForSingleObject(mutex_, LockWaitMs);
    owned_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

FileLock::~FileLock() {
    if (!mutex_) return;
    if (owned_) ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}
