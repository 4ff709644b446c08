#include "base/sjis.h"

namespace sjis {
namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

template <class Fold>
std::string foldSingleBytes(std::string_view s, Fold fold) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size();) {
        std::size_t len = charLength(out, i);
        if (len == 1) out[i] = fold(out[i]);
        i += len;
    }
    return out;
}

}  // namespace

std::string toLowerAscii(std::string_view s) { return foldSingleBytes(s, lower); }
std::string toUpperAscii(std::string_view s) { return foldSingleBytes(s, upper); }

std::size_t fittingLength(std::string_view s, std::size_t limit) {
    std::size_t end = 0;
    while (end < s.size()) {
        std::size_t next = end + charLength(s, end);
        if (next > limit) break;
        end = next;
    }
    return end;
}

std::size_t findLastChar(std::string_view s, char c) {
    if (isSingleByteOnly(s)) return s.rfind(c);
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < s.size(); i += charLength(s, i)) {
        if (s[i] == c && charLength(s, i) == 1) found = i;
    }
    return found;
}

}  // namespace sjis
