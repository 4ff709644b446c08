#include "ftp/ftp_path.h"

#include "base/sjis.h"

namespace ftp {

std::string FtpPath::hostKey() const {
    std::string h = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    if (port == DefaultPort) return h;
    return h + ":" + std::to_string(port);
}

std::string FtpPath::canonical() const { return "|" + hostKey() + path; }

std::optional<FtpPath> parseFtpPath(std::string_view text) {
    if (text.empty() || text[0] != '|') return std::nullopt;
    text.remove_prefix(1);
    std::size_t end = text.find_first_of("\\/");
    std::string_view hostPart = text.substr(0, end);
    FtpPath out;
    if (end != std::string_view::npos) {
        std::string_view rest = text.substr(end);
        for (std::size_t i = 0; i < rest.size(); i += sjis::charLength(rest, i)) {
            std::size_t len = sjis::charLength(rest, i);
            if (len == 1 && rest[i] == '\\') out.path += '/';
            else out.path.append(rest.substr(i, len));
        }
        // A trailing "/" (other than the root) names the same directory.
        while (out.path.size() > 1 && out.path.back() == '/') out.path.pop_back();
    }
    std::string_view portText;
    if (!hostPart.empty() && hostPart[0] == '[') {
        std::size_t close = hostPart.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        out.host = std::string(hostPart.substr(1, close - 1));
        std::string_view after = hostPart.substr(close + 1);
        if (!after.empty()) {
            if (after[0] != ':') return std::nullopt;
            portText = after.substr(1);
            if (portText.empty()) return std::nullopt;
        }
    } else {
        std::size_t colon = hostPart.rfind(':');
        out.host = std::string(hostPart.substr(0, colon));
        if (colon != std::string_view::npos) {
            portText = hostPart.substr(colon + 1);
            if (portText.empty()) return std::nullopt;
        }
    }
    if (out.host.empty()) return std::nullopt;
    for (char c : out.host) {
        if (c == ' ' || c == '\r' || c == '\n' || c == '\0' || c == '|' || c == '>') return std::nullopt;
    }
    if (!portText.empty()) {
        if (portText.size() > 5) return std::nullopt;
        unsigned v = 0;
        for (char c : portText) {
            if (c < '0' || c > '9') return std::nullopt;
            v = v * 10 + static_cast<unsigned>(c - '0');
        }
        if (v == 0 || v > 65535) return std::nullopt;
        out.port = static_cast<uint16_t>(v);
    }
    return out;
}

std::string parentPath(std::string_view path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos || slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

int slashCount(std::string_view canonical) {
    int n = 0;
    for (char c : canonical) n += c == '/';
    return n;
}

std::string localMirror(std::string_view work, std::string_view path) {
    auto parsed = parseFtpPath(path);
    if (!parsed) return std::string(path);
    std::string out(work);
    if (!out.empty() && sjis::findLastChar(out, '\\') != out.size() - 1) out += '\\';
    for (char c : parsed->hostKey()) out += (c == ':' || c == '[' || c == ']') ? '_' : c;
    for (char c : parsed->path) out += c == '/' ? '\\' : c;
    return out;
}

std::string cacheKey(std::string_view path) {
    std::string out;
    for (std::size_t i = 0; i < path.size();) {
        std::size_t len = sjis::charLength(path, i);
        if (len == 1 && path[i] == '\\') {
            if (i + 1 < path.size() && path[i + 1] == '\\') {
                out += "!!";
                i += 2;
                continue;
            }
            out += '/';
        } else {
            out.append(path.substr(i, len));
        }
        i += len;
    }
    return out;
}

std::string cacheFileName(std::string_view hostKey) {
    std::string out;
    for (std::size_t i = 0; i < hostKey.size(); i += sjis::charLength(hostKey, i)) {
        std::size_t len = sjis::charLength(hostKey, i);
        char c = hostKey[i];
        if (len == 1 && (c == '\\' || c == '|' || c == '>' || c == '/' || c == ':')) out += '_';
        else out.append(hostKey.substr(i, len));
    }
    return out;
}

}  // namespace ftp
