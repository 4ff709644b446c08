#include "archivers/core/crc16.h"

#include <array>

namespace arc {

std::uint16_t crc16Update(std::uint16_t crc, const void* data, std::size_t n) {
    static const auto table = [] {
        std::array<std::uint16_t, 256> t {};
        for (unsigned i = 0; i < 256; ++i) {
            unsigned c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xA001 : c >> 1;
            t[i] = static_cast<std::uint16_t>(c);
        }
        return t;
    }();
    auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < n; ++i) crc = static_cast<std::uint16_t>(table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8));
    return crc;
}

}  // namespace arc
