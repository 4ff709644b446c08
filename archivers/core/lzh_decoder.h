#pragma once
// The static-Huffman LZ methods of LZH: -lh4- to -lh7- (dictionary of 4 to
// 64 KB) and -lh0- (stored), streaming with a CRC-16 check.
#include <cstdint>

#include "archivers/core/byte_source.h"

namespace arc {

// Dictionary bits of a method ("-lh5-" 13, "-lh6-" 15, "-lh7-" 16, "-lh4-" 12),
// 0 for "-lh0-" and "-lhd-", -1 for a method we cannot decode.
int lzhDictionaryBits(const std::string& method);

int lzhDecode(Stream& in, Sink& out, int dictionaryBits, std::uint64_t originalSize, std::uint16_t crc);

}  // namespace arc
