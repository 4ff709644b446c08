#include "archivers/core/cab_checksum.h"

#include <vector>

#include "archivers/core/error_code.h"
#include "archivers/core/le_bytes.h"

namespace arc {

std::uint32_t cabChecksum(const unsigned char* p, std::size_t n, std::uint32_t seed) {
    std::uint32_t sum = seed;
    std::size_t words = n / 4;
    for (std::size_t i = 0; i < words; ++i, p += 4) sum ^= le32(p);
    std::uint32_t rest = 0;
    switch (n % 4) {
    case 3: rest |= static_cast<std::uint32_t>(*p++) << 16; [[fallthrough]];
    case 2: rest |= static_cast<std::uint32_t>(*p++) << 8; [[fallthrough]];
    case 1: rest |= *p++; break;
    default: break;
    }
    return sum ^ rest;
}

int checkCabinetData(Source& cabinet) {
    unsigned char h[36];
    if (!cabinet.readExact(0, h, sizeof h) || h[0] != 'M' || h[1] != 'S' || h[2] != 'C' || h[3] != 'F')
        return kErrorNotArcFile;
    unsigned folders = le16(h + 26);
    unsigned flags = le16(h + 30);
    std::uint64_t at = 36;
    unsigned folderReserve = 0, dataReserve = 0;
    if (flags & 4) {  // reserved areas present
        unsigned char r[4];
        if (!cabinet.readExact(at, r, 4)) return kErrorHeaderBroken;
        at += 4 + le16(r);
        folderReserve = r[2];
        dataReserve = r[3];
    }
    for (int name = 0; name < 2; ++name) {
        if (flags & (name == 0 ? 1 : 2)) {  // previous and next cabinet names: two strings each
            for (int s = 0; s < 2; ++s) {
                unsigned char c = 1;
                for (int guard = 0; c != 0; ++guard) {
                    if (guard > 256 || !cabinet.readExact(at++, &c, 1)) return kErrorHeaderBroken;
                }
            }
        }
    }
    std::vector<unsigned char> block;
    for (unsigned f = 0; f < folders; ++f) {
        unsigned char fh[8];
        if (!cabinet.readExact(at, fh, 8)) return kErrorHeaderBroken;
        at += 8 + folderReserve;
        std::uint64_t data = le32(fh);
        unsigned blocks = le16(fh + 4);
        for (unsigned b = 0; b < blocks; ++b) {
            unsigned char dh[8];
            if (!cabinet.readExact(data, dh, 8)) return kErrorBrokenData;
            std::uint32_t stored = le32(dh);
            std::size_t length = dataReserve + le16(dh + 4);
            block.resize(length);
            if (!cabinet.readExact(data + 8, block.data(), length)) return kErrorBrokenData;
            if (stored != 0 && cabChecksum(dh + 4, 4, cabChecksum(block.data(), length, 0)) != stored)
                return kErrorBrokenData;
            data += 8 + length;
        }
    }
    return kOk;
}

}  // namespace arc
