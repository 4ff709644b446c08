#include "base/file_lock.h"

#include <windows.h>

#include <cctype>
#include <cstdint>

namespace {
// A peer stuck in the middle of a save must not stop this one for good.
constexpr DWORD LockWaitMs = 5000;

// Mutex names cannot hold a path: one hash per path, the same for any case.
std::string mutexName(const std::string& path) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : path) hash = (hash ^ static_cast<unsigned char>(std::toupper(c))) * 1099511628211ull;
    char name[64];
    wsprintfA(name, "Vorbin.FileLock.%08lX%08lX", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFFu));
    return name;
}
}  // namespace

FileLock::FileLock(const std::string& path) {
    mutex_ = CreateMutexA(nullptr, FALSE, mutexName(path).c_str());
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
