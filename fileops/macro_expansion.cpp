#include "fileops/macro_expansion.h"

#include "base/path.h"
#include "base/sjis.h"

namespace {

bool isTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Bytes of the character at i. A lead byte followed by a byte that cannot be
// a trail byte stands alone, so a "$" after a broken lead is still a "$".
std::size_t step(std::string_view s, std::size_t i) {
    if (sjis::isLead(static_cast<unsigned char>(s[i])) && i + 1 < s.size() &&
        isTrail(static_cast<unsigned char>(s[i + 1]))) {
        return 2;
    }
    return 1;
}

const std::string& shortOrName(const MacroEntry& entry) {
    return entry.shortName.empty() ? entry.name : entry.shortName;
}

std::string groupOf(const std::vector<MacroEntry>& marked, bool shortNames) {
    std::string out;
    for (const MacroEntry& entry : marked) {
        if (!out.empty()) out += ',';
        out += '"';
        out += shortNames ? shortOrName(entry) : entry.name;
        out += '"';
    }
    return out;
}

bool isMacroLetter(char c) {
    return std::string_view("FfTtNnMmSUDdHhGg").find(c) != std::string_view::npos;
}

}  // namespace

bool containsMacro(std::string_view text, char letter) {
    for (std::size_t i = 0; i < text.size(); i += step(text, i)) {
        if (text[i] == '$' && i + 1 < text.size() && text[i + 1] == letter) return true;
    }
    return false;
}

std::string nameWithoutExtension(std::string_view name) {
    std::size_t dot = sjis::findLastChar(name, '.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string ftpHostPart(std::string_view path) {
    if (!isFtpPath(path)) return {};
    std::size_t end = 1;
    while (end < path.size() && path[end] != '/' && path[end] != '\\') end += step(path, end);
    return std::string(path.substr(0, end));
}

std::string ftpSeparators(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size();) {
        std::size_t len = step(path, i);
        if (len == 1 && (path[i] == '\\' || path[i] == '/')) {
            if (out.empty() || out.back() != '/') out += '/';
        } else {
            out.append(path.substr(i, len));
        }
        i += len;
    }
    return out;
}

std::optional<std::string> expandMacros(std::string_view text, const MacroContext& context,
                                        GroupMacroUse& groups) {
    const bool ftp = isFtpPath(context.directory);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '$' || i + 1 >= text.size() || !isMacroLetter(text[i + 1])) {
            std::size_t len = step(text, i);
            out.append(text.substr(i, len));
            i += len;
            continue;
        }
        const char letter = text[i + 1];
        i += 2;
        switch (letter) {
            case 'F': out += context.cursor.name; break;
            case 'f': out += shortOrName(context.cursor); break;
            case 'T': out += context.target.name; break;
            case 't': out += shortOrName(context.target); break;
            case 'N':
            case 'M': out += nameWithoutExtension(context.target.name); break;
            case 'n':
            case 'm': out += nameWithoutExtension(shortOrName(context.target)); break;
            case 'S': break;
            case 'U': if (ftp) out += context.ftpUser; break;
            case 'D': out += context.directory; break;
            case 'd':
                out += context.shortDirectory.empty() ? context.directory : context.shortDirectory;
                break;
            case 'H':
            case 'h': out += ftpHostPart(context.directory); break;
            case 'G':
            case 'g': {
                bool& used = letter == 'G' ? groups.names : groups.shortNames;
                if (used) {
                    out += '$';
                    out += letter;
                } else {
                    used = true;
                    out += groupOf(context.marked, letter == 'g');
                }
                break;
            }
        }
        if (out.size() > MaxExpandedLength) return std::nullopt;
    }
    if (out.size() > MaxExpandedLength) return std::nullopt;
    if (isFtpPath(out)) return ftpSeparators(out);
    return out;
}

std::optional<std::string> expandMacros(std::string_view text, const MacroContext& context) {
    GroupMacroUse groups;
    return expandMacros(text, context, groups);
}
