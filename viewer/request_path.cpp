#include "viewer/request_path.h"

#include <cstring>

#include "base/sjis.h"

std::string blockPath(const unsigned char* block, std::size_t size) {
    if (!block || size < 2) return {};
    const char* path = reinterpret_cast<const char*>(block + 1);
    const void* nul = std::memchr(path, '\0', size - 1);
    const std::size_t length =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - path) : size - 1;
    return std::string(path, length);
}

std::string ftpCachePath(std::string_view ftpPath, std::string_view ftpWork) {
    if (!ftpPath.empty() && ftpPath[0] == '|') ftpPath.remove_prefix(1);
    const std::size_t slash = ftpPath.find('/');
    const std::string_view host = ftpPath.substr(0, slash);
    std::string_view rest = slash == std::string_view::npos ? std::string_view{} : ftpPath.substr(slash + 1);
    std::string joined(ftpWork);
    joined += '\\';
    joined += host;
    joined += '\\';
    joined += rest;
    std::string out;
    // A trail byte 0x5C is no separator, so the last one is remembered here.
    bool afterSeparator = false;
    for (std::size_t i = 0; i < joined.size();) {
        const std::size_t length = sjis::charLength(joined, i);
        const bool separator = length == 1 && (joined[i] == '/' || joined[i] == '\\');
        if (separator) {
            // A "\\" at the very start is a network path and stays.
            if (!(afterSeparator && out.size() > 1)) out += '\\';
        } else {
            out.append(joined, i, length);
        }
        afterSeparator = separator;
        i += length;
    }
    return out;
}
