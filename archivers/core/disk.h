#pragma once
// The file system as the libraries see it: paths are "/"-separated Shift-JIS
// relative to a root (the current directory in the DLLs, a test folder natively).
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archivers/core/byte_source.h"

namespace arc {

struct DiskEntry {
    std::string name;  // last part only for list(), the given path for entry()
    bool isDirectory = false;
    std::uint64_t size = 0;
    std::uint16_t dosDate = 0;
    std::uint16_t dosTime = 0;
};

// A file being extracted: written under a temporary name beside its target
// and put in place only by commit(), so a broken member never replaces or
// imitates a whole file.
class OutputFile : public PatchableSink {
public:
    // Moves the file to its name; false when that fails or when the name is
    // taken and overwriting was not asked for (the new bytes are dropped).
    virtual bool commit(bool overwrite, std::uint16_t dosDate, std::uint16_t dosTime) = 0;
};

class Disk {
public:
    virtual ~Disk() = default;
    virtual bool makeDirectories(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual std::unique_ptr<OutputFile> create(const std::string& path) = 0;
    virtual std::unique_ptr<Source> openRead(const std::string& path) = 0;
    virtual std::optional<DiskEntry> entry(const std::string& path) = 0;
    virtual std::vector<DiskEntry> list(const std::string& directory) = 0;
};

// Disk through the C library: fopen, mkdir, opendir. `toNative` turns a
// Shift-JIS path into the platform's spelling (identity under code page 932,
// UTF-8 natively); `fromNative` the other way.
class StdioDisk final : public Disk {
public:
    using Convert = std::function<std::string(const std::string&)>;
    StdioDisk(std::string root, Convert toNative, Convert fromNative);
    bool makeDirectories(const std::string& path) override;
    bool exists(const std::string& path) override;
    std::unique_ptr<OutputFile> create(const std::string& path) override;
    std::unique_ptr<Source> openRead(const std::string& path) override;
    std::optional<DiskEntry> entry(const std::string& path) override;
    std::vector<DiskEntry> list(const std::string& directory) override;
    std::string nativePath(const std::string& path) const;

private:
    std::string root_;
    Convert toNative_;
    Convert fromNative_;
};

// MS-DOS local date and time of a Unix time, and back.
void dosFromUnix(std::int64_t unixTime, std::uint16_t& date, std::uint16_t& time);
std::int64_t unixFromDos(std::uint16_t date, std::uint16_t time);

}  // namespace arc
