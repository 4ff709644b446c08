// Our own part of cabinet reading: the data-block checksum walk.
#include "archivers/core/cab_checksum.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    arc::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
    arc::checkCabinetData(source);
    return 0;
}
