#include "base/file_replace.h"

// Under Windows the C library's rename never replaces; base/win has that one.
#ifndef _WIN32
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <thread>

bool replaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

std::string writerTag() {
    return std::to_string(getpid()) + "-" +
           std::to_string(std::hash<std::thread::id>{}(std::this_thread::get_id()));
}
#endif
