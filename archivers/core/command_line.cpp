#include "archivers/core/command_line.h"

#include <cstring>

namespace arc {
namespace {

bool isLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool sameLetters(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

}  // namespace

bool CommandLine::hasOption(std::string_view letters) const {
    for (const auto& o : options) {
        bool all = true;
        for (char c : letters)
            if (o.find(c, 1) == std::string::npos) all = false;
        if (all) return true;
    }
    return false;
}

std::vector<std::string> splitWords(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (isLead(static_cast<unsigned char>(c)) && i + 1 < line.size()) {
            word += c;
            word += line[++i];
            inWord = true;
        } else if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t' || c == '\r' || c == '\n') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

CommandLine parseCommandLine(std::string_view line, const std::vector<std::string>& commandWords) {
    CommandLine cl;
    auto words = splitWords(line);
    std::size_t i = 0;
    if (i < words.size()) {
        for (const auto& c : commandWords) {
            if (sameLetters(words[0], c)) {
                cl.command = c;
                ++i;
                break;
            }
        }
    }
    bool optionsDone = false;
    for (; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (!optionsDone && w == "--") {
            optionsDone = true;
        } else if (!optionsDone && w.size() > 1 && w[0] == '-') {
            cl.options.push_back(w);
        } else if (cl.archive.empty()) {
            cl.archive = w;
        } else {
            cl.names.push_back(w);
        }
    }
    return cl;
}

void copyToBuffer(std::string_view text, char* out, std::size_t size) {
    if (!out || size == 0) return;
    std::size_t limit = size - 1;
    std::size_t end = 0;
    while (end < text.size()) {
        std::size_t len = (isLead(static_cast<unsigned char>(text[end])) && end + 1 < text.size()) ? 2 : 1;
        if (end + len > limit) break;
        end += len;
    }
    std::memcpy(out, text.data(), end);
    out[end] = '\0';
}

}  // namespace arc
