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

std::string AsciiCodec::sjisToUtf8(std::string_view sjis) const {
    for (char c : sjis)
        if (static_cast<unsigned char>(c) >= 0x80) return {};
    return std::string(sjis);
}

}  // namespace arc
