#pragma once
// The process's current directory set for a library call that works there,
// and put back afterwards whatever happened.
#include <windows.h>

#include <string>

class CurrentDirectoryScope {
public:
    explicit CurrentDirectoryScope(const std::string& to) {
        char buffer[MAX_PATH * 2] = {};
        DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
        if (length && length < sizeof buffer) before_.assign(buffer, length);
        entered_ = SetCurrentDirectoryA(to.c_str()) != 0;
    }
    ~CurrentDirectoryScope() {
        if (!before_.empty()) SetCurrentDirectoryA(before_.c_str());
    }
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;
    bool entered() const { return entered_; }

private:
    std::string before_;
    bool entered_ = false;
};
