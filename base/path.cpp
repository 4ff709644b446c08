#include "base/path.h"

#include <algorithm>

#include "base/sjis.h"

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool endsWithChar(std::string_view s, char c) {
    return !s.empty() && sjis::findLastChar(s, c) == s.size() - 1;
}

// Collapses each doubled separator into one. A UNC path keeps its leading
// pair. On FTP paths any run containing "/" becomes "/"; elsewhere only "\\"
// pairs collapse, so a network form like "//name" is left alone.
std::string collapseSeparators(std::string_view path, bool ftp) {
    std::string out;
    out.reserve(path.size());
    std::size_t i = 0;
    bool lastWasSeparator = false;
    if (!ftp && path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        out = "\\\\";
        i = 2;
        lastWasSeparator = true;
    }
    while (i < path.size()) {
        std::size_t len = sjis::charLength(path, i);
        char c = path[i];
        bool separator = len == 1 && (ftp ? isSeparator(c) : c == '\\');
        if (separator && lastWasSeparator) {
            if (c == '/') out.back() = '/';
        } else {
            out.append(path.substr(i, len));
        }
        lastWasSeparator = separator;
        i += len;
    }
    return out;
}

bool needsSeparator(std::string_view directory) {
    return !directory.empty() && directory.front() != '/' && !endsWithChar(directory, '>');
}

}  // namespace

bool isFtpPath(std::string_view path) { return !path.empty() && path.front() == '|'; }

bool isArchivePath(std::string_view path) {
    for (std::size_t i = 0; i < path.size(); i += sjis::charLength(path, i)) {
        if (path[i] == '>' && sjis::charLength(path, i) == 1) return true;
    }
    return false;
}

bool isDrivePath(std::string_view path) {
    return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

std::string extensionOf(std::string_view name) {
    std::size_t dot = sjis::findLastChar(name, '.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
}

std::string joinPath(std::string_view directory, std::string_view name) {
    const bool ftp = isFtpPath(directory);
    std::string joined;
    if (name.size() >= 2 && name[0] == '\\' && name[1] == '\\') {
        joined = name;
    } else {
        joined = directory;
        if (needsSeparator(directory)) joined += ftp ? '/' : '\\';
        joined += name;
    }
    return collapseSeparators(joined, ftp && isFtpPath(joined));
}

std::string lastComponent(std::string_view path) {
    const std::size_t back = sjis::findLastChar(path, '\\');
    const std::size_t slash = path.rfind('/');  // never a trail byte
    std::size_t cut = back == std::string_view::npos ? slash
                      : slash == std::string_view::npos ? back
                                                        : std::max(back, slash);
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}
