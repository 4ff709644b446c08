#pragma once
// tar (ustar, GNU long names, pax paths), plain or under gzip or bzip2,
// read front to back.
#include <memory>

#include "archivers/core/archive_reader.h"
#include "archivers/core/text_codec.h"

namespace arc {

class TarReader final : public ArchiveReader {
public:
    TarReader(Source& source, const TextCodec& codec);
    ~TarReader() override;
    bool next(Member& m) override;
    int extract(Sink& out) override;
    int error() const override { return error_; }
    // "gzip", "bzip2" or "" once the first member was asked for.
    const char* compression() const { return compression_; }

private:
    bool open();
    bool skipData();
    bool readBlock(unsigned char* block);
    bool readText(std::uint64_t size, std::string& text);
    Source& source_;
    const TextCodec& codec_;
    std::unique_ptr<Stream> raw_;
    std::unique_ptr<Stream> decoded_;
    Stream* in_ = nullptr;
    int error_ = 0;
    bool opened_ = false;
    bool ended_ = false;
    bool sawHeader_ = false;
    const char* compression_ = "";
    std::uint64_t dataLeft_ = 0;  // of the current member, padding included
    std::uint64_t dataSize_ = 0;
    bool haveCurrent_ = false;
};

}  // namespace arc
