#include "viewer/page_charset.h"

#include <array>
#include <cctype>
#include <utility>

#include "base/sjis.h"

namespace {
std::string lower(std::string_view s) { return sjis::toLowerAscii(s); }

// The value after "charset=" or "encoding=" in the page's head, without quotes.
std::string declared(std::string_view head) {
    const std::string low = lower(head);
    for (std::string_view key : {"charset", "encoding"}) {
        std::size_t at = 0;
        while ((at = low.find(key, at)) != std::string::npos) {
            std::size_t i = at + key.size();
            at = i;
            while (i < low.size() && low[i] == ' ') ++i;
            if (i >= low.size() || low[i] != '=') continue;
            ++i;
            while (i < low.size() && (low[i] == ' ' || low[i] == '"' || low[i] == '\'')) ++i;
            std::size_t end = i;
            while (end < low.size() && (std::isalnum(static_cast<unsigned char>(low[end])) ||
                                        low[end] == '-' || low[end] == '_' || low[end] == ':'))
                ++end;
            if (end > i) return low.substr(i, end - i);
        }
    }
    return {};
}
}  // namespace

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 9;
        if (n == 9 || (n == 1 && c < 0xC2)) return false;
        if (i + n >= s.size()) return false;
        for (std::size_t k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n + 1;
    }
    return true;
}

std::string pageCharset(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return "utf-8";
    if (bytes.substr(0, 2) == "\xFF\xFE") return "utf-16le";
    if (bytes.substr(0, 2) == "\xFE\xFF") return "utf-16be";
    std::string name = declared(bytes.substr(0, 4096));
    if (!name.empty() && codePageOf(name) != 0) return name;
    return isValidUtf8(bytes) ? "utf-8" : "shift_jis";
}

unsigned codePageOf(std::string_view charset) {
    static constexpr std::array<std::pair<std::string_view, unsigned>, 16> known{{
        {"utf-8", 65001},      {"utf8", 65001},        {"shift_jis", 932},
        {"shift-jis", 932},    {"sjis", 932},          {"x-sjis", 932},
        {"windows-31j", 932},  {"cp932", 932},         {"euc-jp", 20932},
        {"iso-2022-jp", 50220}, {"us-ascii", 1252},    {"iso-8859-1", 1252},
        {"windows-1252", 1252}, {"utf-16le", 1200},    {"utf-16be", 1201},
        {"utf-16", 1200},
    }};
    const std::string low = lower(charset);
    for (const auto& [name, page] : known)
        if (low == name) return page;
    return 0;
}
