#pragma once
// ZIP and JAR: stored and deflated members, ZIP64, data descriptors, names
// in Shift-JIS or flagged UTF-8 (converted to Shift-JIS).
#include <cstdint>

#include "archivers/core/archive_reader.h"
#include "archivers/core/text_codec.h"

namespace arc {

class ZipReader final : public ArchiveReader {
public:
    ZipReader(Source& source, const TextCodec& codec);
    bool next(Member& m) override;
    int extract(Sink& out) override;
    int error() const override { return error_; }

private:
    bool locate();
    Source& source_;
    const TextCodec& codec_;
    int error_ = 0;
    bool located_ = false;
    std::uint64_t position_ = 0;   // next central directory record
    std::uint64_t end_ = 0;        // end of the central directory
    std::uint64_t shift_ = 0;      // bytes in front of the archive (self-extractors)
    std::uint64_t remaining_ = 0;  // records the end record announces
    // The member last reported.
    std::uint16_t method_ = 0;
    std::uint16_t flags_ = 0;
    std::uint64_t localOffset_ = 0;
    Member current_;
    bool haveCurrent_ = false;
};

}  // namespace arc
