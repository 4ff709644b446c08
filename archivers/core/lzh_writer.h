#pragma once
// LZH writer: level 2 headers, -lh5- (or -lh6-, -lh7-), Shift-JIS names.
#include "archivers/core/archive_writer.h"

namespace arc {

class LzhWriter final : public ArchiveWriter {
public:
    // dictionaryBits: 13 writes -lh5-, 15 -lh6-, 16 -lh7-.
    LzhWriter(PatchableSink& out, int dictionaryBits = 13) : out_(out), bits_(dictionaryBits) {}
    int addDirectory(const Member& m) override;
    int addFile(const Member& m, Stream& data) override;
    int finish() override;

private:
    std::string header(const Member& m, const std::string& method, std::size_t& crcAt);
    bool emit(const std::string& bytes);
    PatchableSink& out_;
    int bits_;
    std::uint64_t written_ = 0;
};

}  // namespace arc
