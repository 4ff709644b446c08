#pragma once
// The 500-byte shared block "PELKO" through which instance 0 tells the viewer
// what to show: a flag byte, then the path with its terminating NUL.
#include <string>

#include "base/win/handle.h"

class ViewRequestBlock {
public:
    static constexpr unsigned Size = 500;

    // Creates the block on first use; writes nothing when the mutex cannot be
    // had within 100 ms. A path that does not fit is not sent: a cut path
    // would show the wrong file.
    bool write(unsigned char flag, const std::string& path);
    void close();

private:
    UniqueHandle mapping_;
    MappedView view_;
    // Opened once with the block: a cursor move pays for the wait and the
    // release, not for creating and closing the mutex as well.
    UniqueHandle mutex_;
};
