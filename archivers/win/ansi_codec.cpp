#include "archivers/win/ansi_codec.h"

#include <windows.h>

#include <vector>

namespace arcdll {
namespace {

std::wstring wide(UINT codePage, DWORD flags, std::string_view s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(codePage, flags, s.data(), static_cast<int>(s.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, flags, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

}  // namespace

std::string AnsiCodec::utf8ToSjis(std::string_view utf8) const {
    std::wstring w = wide(CP_UTF8, 0, utf8);
    std::string out;
    // One character at a time, so what 932 cannot hold becomes "_" and never a
    // look-alike (a best-fit "\" would turn into a separator).
    for (std::size_t i = 0; i < w.size(); ++i) {
        int units = (w[i] >= 0xD800 && w[i] <= 0xDBFF && i + 1 < w.size()) ? 2 : 1;
        char buf[8];
        BOOL lossy = FALSE;
        int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &w[i], units, buf, sizeof buf, "_", &lossy);
        if (n <= 0 || lossy) {
            out += '_';
        } else {
            out.append(buf, static_cast<std::size_t>(n));
        }
        i += units - 1;
    }
    return out;
}

std::string AnsiCodec::sjisToUtf8(std::string_view sjis) const {
    std::wstring w = wide(932, MB_ERR_INVALID_CHARS, sjis);
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace arcdll
