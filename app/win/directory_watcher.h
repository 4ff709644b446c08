#pragma once
// Watches the window's current directory on an idle-priority thread and
// raises a flag that the window's timer turns into a refresh.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "base/win/handle.h"

class DirectoryWatcher {
public:
    // currentDirectory is called from the watcher thread; it must hand out a
    // copy taken under the owner's lock.
    DirectoryWatcher(std::function<std::string()> currentDirectory,
                     std::atomic<bool>& refreshRequested);
    ~DirectoryWatcher();
    DirectoryWatcher(const DirectoryWatcher&) = delete;
    DirectoryWatcher& operator=(const DirectoryWatcher&) = delete;

    void start();
    void stop();
    // The window changed directory: watch the new one at once rather than at
    // the next poll, so a change made right after the move is not missed.
    void directoryChanged();

private:
    static DWORD WINAPI threadMain(void* self);
    void run();
    std::string watchedDirectory() const;

    std::function<std::string()> currentDirectory_;
    std::atomic<bool>& refreshRequested_;
    std::atomic<bool> stop_{false};
    UniqueHandle wake_{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    UniqueHandle thread_;
};
