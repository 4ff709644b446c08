#pragma once
// Keeps the suite's other processes from reading a file while one of them
// replaces it, for as long as it lives. Windows refuses to put a new file in
// place of one any reader holds, so the writer has to write in place, which a
// reader must never see half-way. Where renaming replaces atomically under
// open readers it does nothing.
#include <string>

class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    void* mutex_ = nullptr;
    bool owned_ = false;
};
