#pragma once
// Raw deflate (zlib) and plain copy from a stream into a sink with a size
// and CRC-32 check; never keeps more than one buffer of either side.
#include <cstdint>

#include "archivers/core/byte_source.h"

namespace arc {

// Result codes: 0, or the interface's error code.
int inflateCopy(Stream& in, Sink& out, std::uint64_t expectedSize, std::uint32_t expectedCrc);
int storedCopy(Stream& in, Sink& out, std::uint64_t size, std::uint32_t expectedCrc, bool checkCrc = true);

}  // namespace arc
