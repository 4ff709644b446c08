#include "archivers/core/lzh_reader.h"
#include "archivers/fuzz/fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    arc::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
    arc::LzhReader reader(source);
    arcfuzz::exercise(reader);
    return 0;
}
