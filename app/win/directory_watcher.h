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

private:
    static DWORD WINAPI threadMain(void* self);
    void run();
    std::string watchedDirectory() const;

    std::function<std::string()> currentDirectory_;
    std::atomic<bool>& refreshRequested_;
    std::atomic<bool> stop_{false};
    UniqueHandle thread_;
};
