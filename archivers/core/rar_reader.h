#pragma once
// RAR 4 and RAR 5 headers: the full listing, stored members extracted with
// their CRC checked. A compressed member is refused with kErrorMethod before
// anything is written: no RAR decompressor is packaged.
#include "archivers/core/archive_reader.h"
#include "archivers/core/text_codec.h"

namespace arc {

class RarReader final : public ArchiveReader {
public:
    RarReader(Source& source, const TextCodec& codec) : source_(source), codec_(codec) {}
    bool next(Member& m) override;
    int extract(Sink& out) override;
    int error() const override { return error_; }

private:
    bool start();
    bool next4(Member& m);
    bool next5(Member& m);
    Source& source_;
    const TextCodec& codec_;
    int error_ = 0;
    int version_ = 0;
    bool ended_ = false;
    std::uint64_t position_ = 0;
    std::uint64_t dataOffset_ = 0;
    bool stored_ = false;
    bool split_ = false;
    bool crcKnown_ = true;
    Member current_;
    bool haveCurrent_ = false;
};

}  // namespace arc
