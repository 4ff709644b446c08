#include "services/win/ini_profile.h"

#include <windows.h>

#include "base/win/mutex_lock.h"
#include "base/win/path_mutex_name.h"

namespace {
// Long enough for any honest writer; a hung one does not hang this process.
constexpr DWORD LockTimeoutMs = 5000;

// The platform keeps a parsed copy of the file per process and trusts it
// while the file's time looks unchanged, which a write by another process
// within the same clock tick does not change. Flushing drops that copy.
void dropCachedCopy(const std::string& file) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
}
}  // namespace

std::string profileMutexName(const std::string& file) { return pathMutexName("VorbinProfile-", file); }

IniProfile::IniProfile(std::string file)
    : file_(std::move(file)), mutex_(CreateMutexA(nullptr, FALSE, profileMutexName(file_).c_str())) {}

std::string IniProfile::read(const std::string& section, const std::string& key) {
    MutexLock lock(mutex_.get(), LockTimeoutMs);
    dropCachedCopy(file_);
    char buffer[1000];
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer,
                             file_.c_str());
    return buffer;
}

void IniProfile::write(const std::string& section, const std::string& key,
                       const std::string& value) {
    MutexLock lock(mutex_.get(), LockTimeoutMs);
    dropCachedCopy(file_);
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file_.c_str()))
        ++failedWrites_;
    dropCachedCopy(file_);
}
