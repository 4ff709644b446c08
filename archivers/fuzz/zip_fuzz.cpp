#include "archivers/core/text_codec.h"
#include "archivers/core/zip_reader.h"
#include "archivers/fuzz/fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    arc::MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
    arc::AsciiCodec codec;
    arc::ZipReader reader(source, codec);
    arcfuzz::exercise(reader);
    return 0;
}
