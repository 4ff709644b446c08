#pragma once
// What every format reader offers: the members one after the other, and the
// bytes of the member just reported.
#include "archivers/core/byte_source.h"
#include "archivers/core/member.h"

namespace arc {

class ArchiveReader {
public:
    virtual ~ArchiveReader() = default;
    // The next member; false at the end, or on damage (then error() is set).
    virtual bool next(Member& m) = 0;
    // Streams the member last reported by next() into out and checks its
    // checksum; an error code when the data is damaged, unsupported or cut.
    virtual int extract(Sink& out) = 0;
    virtual int error() const = 0;
};

}  // namespace arc
