#pragma once
// The thread that polls the "PELKO" block every 100 ms: it takes a waiting
// request under "PELKOMUTEX", clears the flag in the same locked section and
// posts 0x8001 to the window, which then takes the pending path. The block is
// only ever opened, never created: it belongs to Vorbin.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>

#include "base/win/handle.h"

constexpr UINT RequestMessage = WM_APP + 1;

class RequestWatcher {
public:
    explicit RequestWatcher(HWND window, std::string blockName = "PELKO");
    ~RequestWatcher();  // stops the thread
    RequestWatcher(const RequestWatcher&) = delete;
    RequestWatcher& operator=(const RequestWatcher&) = delete;

    bool start();
    // The path taken from the block and not yet shown; false when none.
    bool takePending(std::string& path);
    // The path in the block whatever its flag; false when the block is not
    // open or its mutex could not be had.
    bool readBlockPath(std::string& path);

private:
    static DWORD WINAPI run(void* self);
    void cycle();
    bool openBlock();

    HWND window_;
    std::string blockName_;
    std::mutex lock_;
    std::string pending_;
    std::atomic<bool> running_{true};
    std::atomic<HANDLE> mapping_{nullptr};
    UniqueHandle mappingOwner_;
    UniqueHandle mutex_;
    UniqueHandle thread_;
};
