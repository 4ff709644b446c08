#include "ftp/win/win_name_codec.h"

#include <windows.h>

namespace ftp {

namespace {

std::wstring wide(UINT codePage, std::string_view s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, s.data(), static_cast<int>(s.size()),
                                nullptr, 0);
    if (n <= 0) return {};
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string narrow(UINT codePage, const std::wstring& w, bool lossy) {
    if (w.empty()) return {};
    BOOL lost = FALSE;
    BOOL* lostPtr = codePage == CP_UTF8 ? nullptr : &lost;
    const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
    int n = WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, fallback,
                                lostPtr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), out.data(), n, fallback, lostPtr);
    if (lost && !lossy) return {};
    return out;
}

}  // namespace

std::string WinNameCodec::utf8ToSjis(std::string_view utf8) const {
    // A character outside the BMP is two UTF-16 units and would become "??".
    std::wstring w = wide(CP_UTF8, utf8);
    std::wstring joined;
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (w[i] >= 0xD800 && w[i] <= 0xDBFF && i + 1 < w.size()) {
            joined += L'?';
            ++i;
        } else {
            joined += w[i];
        }
    }
    return narrow(932, joined, true);
}

std::string WinNameCodec::sjisToUtf8(std::string_view sjis) const {
    return narrow(CP_UTF8, wide(932, sjis), false);
}

}  // namespace ftp
