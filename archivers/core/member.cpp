#include "archivers/core/member.h"

namespace arc {

std::string attributeText(const Member& m) {
    std::string out;
    if (m.isDirectory || (m.attributes & 0x10)) out += 'D';
    if (m.attributes & 0x20 || out.empty()) out += 'A';
    if (m.attributes & 0x01) out += 'R';
    if (m.attributes & 0x02) out += 'H';
    if (m.attributes & 0x04) out += 'S';
    return out;
}

unsigned ratioPerMille(const Member& m) {
    if (m.originalSize == 0) return 0;
    std::uint64_t r = (m.packedSize * 1000 + m.originalSize / 2) / m.originalSize;
    return r > 65535 ? 65535u : static_cast<unsigned>(r);
}

}  // namespace arc
