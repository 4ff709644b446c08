#pragma once
// Another program the tests start and end: Lintor, Tovek, a stand-in.
#include <windows.h>

#include <string>

#include "base/win/handle.h"

class ChildProcess {
public:
    // Starts "exe" arguments in directory; started() tells whether it ran.
    ChildProcess(const std::string& exe, const std::string& arguments,
                 const std::string& directory);
    ~ChildProcess();  // ends the process if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return static_cast<bool>(process_); }
    bool waitForExit(DWORD timeoutMs) const;
    // The exit code once ended; STILL_ACTIVE while it runs.
    DWORD exitCode() const;
    // Its first visible top-level window whose title begins with prefix, once
    // it shows; nullptr after timeoutMs.
    HWND waitForWindow(const std::string& prefix, DWORD timeoutMs = 60000) const;

private:
    UniqueHandle process_;
    DWORD processId_ = 0;
};
