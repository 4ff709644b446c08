#pragma once
// LZH archives with header levels 0, 1 and 2.
#include "archivers/core/archive_reader.h"

namespace arc {

class LzhReader final : public ArchiveReader {
public:
    explicit LzhReader(Source& source) : source_(source) {}
    bool next(Member& m) override;
    int extract(Sink& out) override;
    int error() const override { return error_; }

private:
    bool findStart();
    bool readHeader(Member& m);
    Source& source_;
    int error_ = 0;
    bool started_ = false;
    bool ended_ = false;
    std::uint64_t position_ = 0;
    std::uint64_t dataOffset_ = 0;
    Member current_;
    bool haveCurrent_ = false;
};

}  // namespace arc
