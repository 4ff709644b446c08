#pragma once
// One entry of an archive as every reader reports it.
#include <cstdint>
#include <string>

namespace arc {

struct Member {
    std::string name;            // Shift-JIS, "/" between parts, as stored (not yet made safe)
    std::uint64_t originalSize = 0;
    std::uint64_t packedSize = 0;
    std::uint32_t crc = 0;       // the format's own checksum (CRC-32, or CRC-16 for LZH)
    std::string method;          // "-lh5-", "Deflate", "Stored", ...
    std::uint16_t dosDate = 0;   // local time, MS-DOS form
    std::uint16_t dosTime = 0;
    bool isDirectory = false;
    bool isLink = false;         // symbolic or hard link (tar); never extracted as a file
    std::string linkTarget;
    std::uint32_t attributes = 0x20;  // MS-DOS attribute bits
    std::uint32_t osType = 0;
    bool encrypted = false;
};

// "A" archive, "D" directory, "R" read-only, "H" hidden, "S" system, as the
// interface's attribute text spells them.
std::string attributeText(const Member& m);

// Packed size as a per-mille of the original size (0 for an empty member).
unsigned ratioPerMille(const Member& m);

}  // namespace arc
