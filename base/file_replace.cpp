#include "base/file_replace.h"

// Under Windows the C library's rename never replaces; base/win has that one.
#ifndef _WIN32
#include <cstdio>

bool replaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}
#endif
