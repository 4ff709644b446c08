#pragma once
// Shift-JIS (code page 932) character stepping. Every character-wise scan goes
// through these so a lead byte never loses its trail byte.
#include <cstddef>
#include <string>
#include <string_view>

namespace sjis {

inline bool isLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Bytes of the character starting at i: 2 for a lead byte followed by another
// byte, otherwise 1 (a lone lead byte at the end counts as one character).
inline std::size_t charLength(std::string_view s, std::size_t i) {
    return (isLead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

// No byte of s can start a double-byte character, so every byte is a
// character of its own (lead bytes are all 0x81 or above).
inline bool isSingleByteOnly(std::string_view s) {
    unsigned char any = 0;
    for (char c : s) any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

// The longest prefix of s within limit bytes that splits no character.
std::size_t fittingLength(std::string_view s, std::size_t limit);

// Lower-cases single-byte ASCII letters only; double-byte characters are kept.
std::string toLowerAscii(std::string_view s);
std::string toUpperAscii(std::string_view s);

// Position of the last occurrence of the single-byte character c that is not a
// trail byte, or npos.
std::size_t findLastChar(std::string_view s, char c);

}  // namespace sjis
