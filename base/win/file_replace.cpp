#include "base/file_replace.h"

#include <windows.h>

bool replaceFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::string writerTag() { return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetCurrentThreadId()); }
