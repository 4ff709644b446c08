#pragma once
// Our LZH compressor: -lh5-, -lh6- or -lh7- (the same method with an 8, 32
// or 64 KB dictionary), greedy hash-chain matching, one Huffman block per
// 16 k codes. Streams: memory is the window and one block of codes.
#include <cstdint>

#include "archivers/core/byte_source.h"

namespace arc {

struct LzhEncoded {
    int code = 0;                // 0 or an interface error code
    std::uint64_t originalSize = 0;
    std::uint64_t packedSize = 0;
    std::uint16_t crc = 0;       // CRC-16 of the original bytes
};

LzhEncoded lzhEncode(Stream& in, Sink& out, int dictionaryBits);

}  // namespace arc
