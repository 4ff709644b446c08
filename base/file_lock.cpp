#include "base/file_lock.h"

// Under Windows base/win has the real one.
#ifndef _WIN32
FileLock::FileLock(const std::string&) {}
FileLock::~FileLock() = default;
#endif
