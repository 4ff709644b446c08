#include "ftp/server_names.h"

#include <algorithm>

#include "base/sjis.h"

namespace ftp {

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n;
        uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            n = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + n >= s.size()) return false;
        for (std::size_t k = 1; k <= n; ++k) {
            unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = cp << 6 | (d & 0x3F);
        }
        static const uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < minimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += n + 1;
    }
    return true;
}

std::string nameFromServer(std::string_view bytes, bool utf8, const NameCodec& codec) {
    if (utf8 && !sjis::isSingleByteOnly(bytes) && isValidUtf8(bytes)) return codec.utf8ToSjis(bytes);
    return std::string(bytes);
}

std::string nameToServer(std::string_view sjisName, bool utf8, const NameCodec& codec) {
    if (!utf8 || sjis::isSingleByteOnly(sjisName)) return std::string(sjisName);
    return codec.sjisToUtf8(sjisName);
}

bool isSafeListedName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    if (name.size() >= 2 && name[1] == ':' &&
        ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')))
        return false;
    // None of "/", CR, LF and NUL is ever a trail byte: refused wherever they
    // stand, also right after a lead byte. Only 0x5C can be a trail byte.
    for (char c : name)
        if (c == '/' || c == '\r' || c == '\n' || c == '\0') return false;
    for (std::size_t i = 0; i < name.size(); i += sjis::charLength(name, i)) {
        if (sjis::charLength(name, i) == 1 && name[i] == '\\') return false;
    }
    return true;
}

int acceptListedNames(Listing& listing, bool utf8, const NameCodec& codec) {
    int refused = 0;
    std::vector<ListedEntry> kept;
    kept.reserve(listing.entries.size());
    for (ListedEntry& e : listing.entries) {
        std::string name = nameFromServer(e.name, utf8, codec);
        // ".." is the pane's own entry, added where the rules say so.
        if (name == "." || name == "..") continue;
        if (!isSafeListedName(name)) {
            ++refused;
            continue;
        }
        e.name = std::move(name);
        kept.push_back(std::move(e));
    }
    listing.entries = std::move(kept);
    return refused;
}

}  // namespace ftp
