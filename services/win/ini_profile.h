#pragma once
// The settings file through the platform's private-profile functions. Every
// instance reads and writes the same file: each access holds a mutex named
// after the file and starts from the file as it is on disk, so no process
// writes back another's values from a stale copy.
#include <string>

#include "services/profile.h"
#include "base/win/handle.h"

class IniProfile : public Profile {
public:
    explicit IniProfile(std::string file);
    std::string read(const std::string& section, const std::string& key) override;
    void write(const std::string& section, const std::string& key,
               const std::string& value) override;
    const std::string& file() const { return file_; }
    // Writes the platform refused (a read-only file, a full disk) since the start.
    int failedWrites() const { return failedWrites_; }

private:
    std::string file_;
    UniqueHandle mutex_;
    int failedWrites_ = 0;
};

// The mutex name for a file: the same for every spelling of its path's case.
std::string profileMutexName(const std::string& file);
