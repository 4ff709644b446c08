#include "viewer/win/request_watcher.h"

#include <memory>

#include "base/win/mutex_lock.h"
#include "viewer/request_path.h"

namespace {
constexpr unsigned BlockSize = 500;

// The mutex within ten tries, 100 ms apart.
bool lockPatiently(HANDLE mutex, std::unique_ptr<MutexLock>& lock) {
    for (int i = 0; i < 10; ++i) {
        lock = std::make_unique<MutexLock>(mutex, 100);
        if (lock->owned()) return true;
    }
    return false;
}
}  // namespace

RequestWatcher::RequestWatcher(HWND window, std::string blockName)
    : window_(window), blockName_(std::move(blockName)) {
    mutex_.reset(CreateMutexA(nullptr, FALSE, "PELKOMUTEX"));
}

RequestWatcher::~RequestWatcher() {
    running_ = false;
    if (thread_) {
        ResumeThread(thread_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
    }
}

bool RequestWatcher::start() {
    thread_.reset(CreateThread(nullptr, 0, run, this, CREATE_SUSPENDED, nullptr));
    if (!thread_) return false;
    ResumeThread(thread_.get());
    return true;
}

DWORD WINAPI RequestWatcher::run(void* self) {
    auto* watcher = static_cast<RequestWatcher*>(self);
    while (watcher->running_) {
        watcher->cycle();
        Sleep(100);
    }
    return 0;
}

bool RequestWatcher::openBlock() {
    if (mapping_) return true;
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, blockName_.c_str());
    if (!mapping) return false;
    mappingOwner_.reset(mapping);
    mapping_ = mapping;
    return true;
}

void RequestWatcher::cycle() {
    if (!mapping_) {
        openBlock();
        return;
    }
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (!pending_.empty()) {
            // The window has not taken the last one yet: remind it.
            PostMessageA(window_, RequestMessage, 0, 0);
            return;
        }
    }
    std::unique_ptr<MutexLock> lock;
    if (!lockPatiently(mutex_.get(), lock)) return;
    // Mapped only for the time of the read, as the writer does.
    MappedView view(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, BlockSize));
    if (!view) return;
    auto* bytes = static_cast<unsigned char*>(view.get());
    if (bytes[0] != 1) return;
    std::string path = blockPath(bytes, BlockSize);
    bytes[0] = 0;
    view.reset();
    lock.reset();
    {
        std::lock_guard<std::mutex> guard(lock_);
        pending_ = std::move(path);
    }
    PostMessageA(window_, RequestMessage, 0, 0);
}

bool RequestWatcher::takePending(std::string& path) {
    std::lock_guard<std::mutex> guard(lock_);
    if (pending_.empty()) return false;
    path = std::move(pending_);
    pending_.clear();
    return true;
}

bool RequestWatcher::readBlockPath(std::string& path) {
    HANDLE mapping = mapping_;
    if (!mapping) return false;
    std::unique_ptr<MutexLock> lock;
    // The window thread never waits long: one try of 100 ms.
    lock = std::make_unique<MutexLock>(mutex_.get(), 100);
    if (!lock->owned()) return false;
    MappedView view(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, BlockSize));
    if (!view) return false;
    path = blockPath(static_cast<const unsigned char*>(view.get()), BlockSize);
    return true;
}
