// The bzip2 decoder alone, so the fuzzer need not build tar headers first.
#include <vector>

#include "archivers/core/bzip2_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    arc::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
    arc::SourceStream raw(source, 0, size);
    arc::Bzip2Stream bz(raw);
    std::vector<unsigned char> buf(64 * 1024);
    std::size_t total = 0;
    while (total < (8u << 20)) {
        std::size_t got = bz.read(buf.data(), buf.size());
        if (got == 0) break;
        total += got;
    }
    return 0;
}
