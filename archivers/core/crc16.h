#pragma once
// The CRC-16 of LZH archives (polynomial 0x8005, reflected, start 0).
#include <cstddef>
#include <cstdint>

namespace arc {

std::uint16_t crc16Update(std::uint16_t crc, const void* data, std::size_t n);

}  // namespace arc
