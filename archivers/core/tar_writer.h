#pragma once
// ustar writer; a name that is long or not plain ASCII gets a pax record
// with its UTF-8 spelling as well. Wrap the sink in a GzipSink for .tgz.
#include "archivers/core/archive_writer.h"
#include "archivers/core/text_codec.h"

namespace arc {

class TarWriter final : public ArchiveWriter {
public:
    TarWriter(Sink& out, const TextCodec& codec) : out_(out), codec_(codec) {}
    int addDirectory(const Member& m) override;
    int addFile(const Member& m, Stream& data) override;
    int finish() override;

private:
    int header(const Member& m, char type, std::uint64_t size);
    bool emit(const void* p, std::size_t n);
    Sink& out_;
    const TextCodec& codec_;
};

}  // namespace arc
