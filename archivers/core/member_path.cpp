#include "archivers/core/member_path.h"

#include <array>
#include <vector>

namespace arc {
namespace {

bool isLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool isTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }
bool isSingle(unsigned char c) { return c < 0x80 || (c >= 0xA1 && c <= 0xDF); }

bool reservedDevice(std::string_view part) {
    std::string stem;
    for (char c : part) {
        if (c == '.') break;
        stem += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    }
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    static const std::array<const char*, 4> plain = {"CON", "PRN", "AUX", "NUL"};
    for (const char* p : plain)
        if (stem == p) return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

// Unifies separators to "/" without touching a trail byte 0x5C.
std::string slashes(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto c = static_cast<unsigned char>(s[i]);
        if (isLead(c) && i + 1 < s.size()) {
            out += s[i];
            out += s[++i];
        } else {
            out += c == '\\' ? '/' : s[i];
        }
    }
    return out;
}

}  // namespace

std::string forwardSlashes(std::string_view s) { return slashes(s); }

std::string repairSjis(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto c = static_cast<unsigned char>(s[i]);
        if (isLead(c) && i + 1 < s.size() && isTrail(static_cast<unsigned char>(s[i + 1]))) {
            out += s[i];
            out += s[++i];
        } else {
            out += isSingle(c) ? s[i] : '_';
        }
    }
    return out;
}

std::optional<std::string> safeMemberPath(std::string_view name) {
    std::string s = slashes(repairSjis(name));
    if (s.empty() || s[0] == '/') return std::nullopt;
    if (s.size() >= 2 && s[1] == ':') return std::nullopt;
    std::vector<std::string> parts;
    std::string part;
    auto flush = [&]() -> bool {
        std::string trimmed = part;
        while (!trimmed.empty() && (trimmed.back() == '.' || trimmed.back() == ' ')) trimmed.pop_back();
        if (part.empty() || part == ".") {
        } else if (trimmed.empty()) {
            return false;  // "..", "...", ". ." all end up as a parent on the platform
        } else {
            if (reservedDevice(trimmed)) trimmed.insert(0, "_");
            parts.push_back(trimmed);
        }
        part.clear();
        return true;
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto c = static_cast<unsigned char>(s[i]);
        if (isLead(c) && i + 1 < s.size()) {
            part += s[i];
            part += s[++i];
        } else if (c == '/') {
            if (!flush()) return std::nullopt;
        } else if (c < 0x20 || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
                   c == '|') {
            part += '_';
        } else {
            part += s[i];
        }
    }
    if (!flush() || parts.empty()) return std::nullopt;
    std::string out;
    for (const auto& p : parts) {
        if (!out.empty()) out += '/';
        out += p;
    }
    return out;
}

namespace {

std::string folded(std::string_view s) {
    std::string out = slashes(s);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto c = static_cast<unsigned char>(out[i]);
        if (isLead(c)) {
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + 32);
        }
    }
    while (!out.empty() && out.back() == '/') out.pop_back();
    while (out.size() >= 2 && out[0] == '.' && out[1] == '/') out.erase(0, 2);
    return out;
}

}  // namespace

bool memberSelected(std::string_view name, const std::string& pattern) {
    std::string p = folded(pattern);
    if (p.empty() || p == "*" || p == "*.*") return true;
    for (const char* all : {"/*", "/*.*"}) {
        std::string_view suffix(all);
        if (p.size() > suffix.size() && p.compare(p.size() - suffix.size(), suffix.size(), suffix) == 0) {
            p.resize(p.size() - suffix.size());
            break;
        }
    }
    std::string n = folded(name);
    return n == p || (n.size() > p.size() && n.compare(0, p.size(), p) == 0 && n[p.size()] == '/');
}

}  // namespace arc
