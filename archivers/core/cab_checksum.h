#pragma once
// The data-block checksums of a cabinet, checked before anything is
// extracted: the platform's FDI under Wine does not check them, and a
// damaged block must not become a file that looks whole.
#include "archivers/core/byte_source.h"

namespace arc {

// 0 when every block with a checksum matches (blocks with none pass),
// otherwise the interface's error code.
int checkCabinetData(Source& cabinet);

std::uint32_t cabChecksum(const unsigned char* p, std::size_t n, std::uint32_t seed);

}  // namespace arc
