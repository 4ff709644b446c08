#pragma once
// ZIP writer: deflated files (stored when deflate does not help is left to
// readers: every file is deflated), directories, Shift-JIS names as is.
#include <string>

#include "archivers/core/archive_writer.h"

namespace arc {

class ZipWriter final : public ArchiveWriter {
public:
    explicit ZipWriter(Sink& out) : out_(out) {}
    int addDirectory(const Member& m) override;
    int addFile(const Member& m, Stream& data) override;
    int finish() override;

private:
    bool emit(const std::string& bytes);
    void central(const Member& m, std::uint16_t method, std::uint16_t flags, std::uint32_t crc,
                 std::uint32_t packed, std::uint32_t size, std::uint32_t offset);
    Sink& out_;
    std::uint64_t written_ = 0;
    std::string directory_;
    std::uint32_t count_ = 0;
    bool failed_ = false;
};

}  // namespace arc
