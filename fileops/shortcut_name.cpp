#include "fileops/shortcut_name.h"

#include "base/sjis.h"

namespace {

// ショートカット in code page 932.
constexpr std::string_view ShortcutWord =
    "\x83\x56\x83\x87\x81\x5b\x83\x67\x83\x4a\x83\x62\x83\x67";

bool isDriveOnly(std::string_view s) { return s.size() == 2 && s[1] == ':'; }

// A final "\" that is a character of its own, not the trail byte of one.
bool endsWithSeparator(std::string_view s) {
    return !s.empty() && sjis::findLastChar(s, '\\') == s.size() - 1;
}

// The target without its ".." and without trailing separators ("C:" for a root).
std::string trimmed(std::string_view target) {
    std::string t = withoutTrailingParent(target);
    while (endsWithSeparator(t)) t.pop_back();
    return t;
}

}  // namespace

std::string withoutTrailingParent(std::string_view path) {
    std::size_t slash = sjis::findLastChar(path, '\\');
    if (slash == std::string_view::npos || path.substr(slash) != "\\..") return std::string(path);
    std::string rest(path.substr(0, slash));
    if (isDriveOnly(rest) || rest.empty()) rest += '\\';
    return rest;
}

std::string shortcutBaseName(std::string_view target) {
    std::string t = trimmed(target);
    if (isDriveOnly(t)) return t.substr(0, 1);
    std::size_t slash = sjis::findLastChar(t, '\\');
    std::size_t colon = sjis::findLastChar(t, ':');
    std::size_t cut = slash;
    if (colon != std::string::npos && (cut == std::string::npos || colon > cut)) cut = colon;
    std::string name = cut == std::string::npos ? t : t.substr(cut + 1);
    if (name == "." || name == "..") return "";
    return name;
}

std::string shortcutWorkingDirectory(std::string_view target) {
    std::string t = trimmed(target);
    if (isDriveOnly(t)) return t + '\\';
    std::size_t slash = sjis::findLastChar(t, '\\');
    if (slash == std::string::npos) return "";
    std::string directory = t.substr(0, slash);
    if (isDriveOnly(directory)) directory += '\\';
    return directory;
}

std::string shortcutFileName(std::string_view target,
                             const std::function<bool(const std::string&)>& taken) {
    std::string base = shortcutBaseName(target);
    if (base.empty()) return "";
    std::string stem = base + " - " + std::string(ShortcutWord);
    for (int number = 1; number <= MaxShortcutNumber; ++number) {
        std::string candidate = stem;
        if (number > 1) candidate += " (" + std::to_string(number) + ")";
        candidate += ".lnk";
        if (!taken(candidate)) return candidate;
    }
    return "";
}

std::string explorerParameters(std::string_view path) {
    return " /n,/e,/select," + withoutTrailingParent(path);
}
