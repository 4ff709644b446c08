#pragma once
// What every format writer offers to the packing run.
#include "archivers/core/byte_source.h"
#include "archivers/core/member.h"

namespace arc {

class ArchiveWriter {
public:
    virtual ~ArchiveWriter() = default;
    virtual int addDirectory(const Member& m) = 0;
    // Packs `data` (m.originalSize bytes expected, the stream decides) under m.name.
    virtual int addFile(const Member& m, Stream& data) = 0;
    virtual int finish() = 0;
};

}  // namespace arc
