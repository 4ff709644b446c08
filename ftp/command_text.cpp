#include "ftp/command_text.h"

#include <cctype>

#include "ftp/file_time.h"

namespace ftp {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a decimal number of at most maxDigits at i; none when there is none.
std::optional<uint32_t> number(std::string_view s, std::size_t& i, int maxDigits) {
    std::size_t begin = i;
    uint32_t value = 0;
    while (i < s.size() && isDigit(s[i]) && i - begin < static_cast<std::size_t>(maxDigits))
        value = value * 10 + static_cast<uint32_t>(s[i++] - '0');
    if (i == begin || (i < s.size() && isDigit(s[i]))) return std::nullopt;
    return value;
}

std::string joinedText(const Reply& reply) {
    std::string all;
    for (const std::string& line : reply.lines) {
        all += line;
        all += '\n';
    }
    return all;
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::optional<std::string> commandLine(std::string_view verb, std::string_view argument) {
    for (char c : std::string_view(verb).substr(0)) {
        if (c == '\r' || c == '\n' || c == '\0' || c == ' ') return std::nullopt;
    }
    for (char c : argument) {
        if (c == '\r' || c == '\n' || c == '\0') return std::nullopt;
    }
    std::string line(verb);
    if (!argument.empty()) {
        line += ' ';
        line += argument;
    }
    line += "\r\n";
    return line;
}

std::optional<std::string> portArgument(std::string_view ipv4, uint16_t port) {
    std::string out;
    std::size_t i = 0;
    for (int part = 0; part < 4; ++part) {
        auto v = number(ipv4, i, 3);
        if (!v || *v > 255) return std::nullopt;
        out += std::to_string(*v) + ",";
        if (part < 3) {
            if (i >= ipv4.size() || ipv4[i] != '.') return std::nullopt;
            ++i;
        }
    }
    if (i != ipv4.size()) return std::nullopt;
    out += std::to_string(port >> 8) + "," + std::to_string(port & 0xFF);
    return out;
}

std::string eprtArgument(std::string_view address, uint16_t port) {
    bool v6 = address.find(':') != std::string_view::npos;
    return std::string(v6 ? "|2|" : "|1|") + std::string(address) + "|" + std::to_string(port) + "|";
}

std::optional<HostPort> parsePasv(const Reply& reply) {
    if (reply.code != 227) return std::nullopt;
    std::string text = joinedText(reply);
    // The six numbers may stand in brackets or bare after the code.
    for (std::size_t start = 4; start < text.size(); ++start) {
        if (!isDigit(text[start]) || isDigit(text[start - 1])) continue;
        std::size_t i = start;
        uint32_t v[6];
        bool good = true;
        for (int k = 0; k < 6 && good; ++k) {
            auto n = number(text, i, 3);
            if (!n || *n > 255) {
                good = false;
                break;
            }
            v[k] = *n;
            if (k < 5) {
                if (i >= text.size() || text[i] != ',') good = false;
                else ++i;
            }
        }
        if (!good) continue;
        HostPort hp;
        hp.host = std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) +
                  "." + std::to_string(v[3]);
        hp.port = static_cast<uint16_t>(v[4] << 8 | v[5]);
        if (hp.port == 0) return std::nullopt;
        return hp;
    }
    return std::nullopt;
}

std::optional<uint16_t> parseEpsv(const Reply& reply) {
    if (reply.code != 229 || reply.lines.empty()) return std::nullopt;
    const std::string& text = reply.lines.back();
    std::size_t open = text.find('(');
    if (open == std::string::npos || open + 4 >= text.size()) return std::nullopt;
    char d = text[open + 1];
    if (d < 33 || d > 126 || isDigit(d)) return std::nullopt;
    if (text[open + 2] != d || text[open + 3] != d) return std::nullopt;
    std::size_t i = open + 4;
    auto port = number(text, i, 5);
    if (!port || *port == 0 || *port > 65535) return std::nullopt;
    if (i + 1 >= text.size() || text[i] != d || text[i + 1] != ')') return std::nullopt;
    return static_cast<uint16_t>(*port);
}

std::optional<std::string> parsePwd(const Reply& reply) {
    if (reply.code != 257 || reply.lines.empty()) return std::nullopt;
    const std::string& text = reply.lines.front();
    std::size_t i = text.find('"');
    if (i == std::string::npos) return std::nullopt;
    std::string path;
    for (++i; i < text.size(); ++i) {
        if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
                path += '"';
                ++i;
                continue;
            }
            if (path.empty()) return std::nullopt;
            return path;
        }
        path += text[i];
    }
    return std::nullopt;
}

Features parseFeatures(const Reply& reply) {
    Features f;
    if (reply.code != 211 || reply.lines.size() < 2) return f;
    for (std::size_t k = 1; k + 1 < reply.lines.size(); ++k) {
        std::string_view line = reply.lines[k];
        std::size_t b = line.find_first_not_of(' ');
        if (b == std::string_view::npos) continue;
        line.remove_prefix(b);
        std::string name = upper(line.substr(0, line.find(' ')));
        if (name == "MLST") f.mlsd = true;
        else if (name == "UTF8") f.utf8 = true;
        else if (name == "SIZE") f.size = true;
        else if (name == "MDTM") f.mdtm = true;
        else if (name == "EPSV") f.epsv = true;
        else if (name == "REST") f.rest = true;
    }
    return f;
}

std::optional<uint64_t> parseMdtm(const Reply& reply) {
    if (reply.code != 213) return std::nullopt;
    std::string t = reply.text();
    std::size_t b = t.find_first_not_of(' ');
    if (b == std::string::npos) return std::nullopt;
    return parseTimeValue(std::string_view(t).substr(b));
}

std::optional<uint64_t> parseSize(const Reply& reply) {
    if (reply.code != 213) return std::nullopt;
    std::string t = reply.text();
    std::size_t i = t.find_first_not_of(' ');
    if (i == std::string::npos || !isDigit(t[i])) return std::nullopt;
    uint64_t v = 0;
    for (; i < t.size() && isDigit(t[i]); ++i) {
        if (v > (UINT64_MAX - 9) / 10) return std::nullopt;
        v = v * 10 + static_cast<uint64_t>(t[i] - '0');
    }
    if (i != t.size()) return std::nullopt;
    return v;
}

}  // namespace ftp
