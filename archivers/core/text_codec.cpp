#include "archivers/core/text_codec.h"

namespace arc {

std::string AsciiCodec::utf8ToSjis(std::string_view utf8) const {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += utf8[i];
        } else if ((c & 0xC0) != 0x80) {
            out += '_';  // one mark per character: continuation bytes add nothing
        }
    }
    return out;
}

bool isWideUtf8(std::string_view s) {
    bool wide = false;
    for (std::size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || (extra == 1 && c < 0xC2)) return false;
        if (extra > 0 && i + extra >= s.size()) return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        wide = wide || extra > 0;
        i += extra + 1;
    }
    return wide;
}

std::string AsciiCodec::sjisToUtf8(std::string_view sjis) const {
    for (char c : sjis)
        if (static_cast<unsigned char>(c) >= 0x80) return {};
    return std::string(sjis);
}

}  // namespace arc
