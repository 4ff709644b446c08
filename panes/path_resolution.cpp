#include "panes/path_resolution.h"

#include "base/path.h"
#include "base/sjis.h"

namespace {
bool isDriveRoot(std::string_view p) { return p.size() == 3 && p[1] == ':' && p[2] == '\\'; }

bool endsWithSeparator(std::string_view p) {
    return !p.empty() && sjis::findLastChar(p, '\\') == p.size() - 1;
}

// Inside an archive "/" separates too and ">" ends the archive's name: a
// folder at the top level goes back to "x.zip>", the top level itself to
// the folder holding the archive (the ">" it ends in goes first).
std::string upOneInArchive(std::string path) {
    if (!path.empty() && path.back() == '>') path.pop_back();
    while (!path.empty() && (path.back() == '/' || endsWithSeparator(path))) path.pop_back();
    std::size_t cut = std::string::npos;
    for (char c : {'\\', '/', '>'}) {
        const std::size_t at = sjis::findLastChar(path, c);
        if (at != std::string::npos && (cut == std::string::npos || at > cut)) cut = at;
    }
    if (cut == std::string::npos) return path;
    path.resize(path[cut] == '>' ? cut + 1 : cut);
    if (path.size() == 2 && path[1] == ':') path += '\\';
    return path;
}

// Drops the last component; the separator before it stays only at a drive root.
std::string upOne(std::string path) {
    if (isArchivePath(path)) return upOneInArchive(std::move(path));
    if (isDriveRoot(path)) return path;
    if (!path.empty() && path[0] == '|') {
        // FTP: "/" separates, and the host's root "|host/" is the top.
        const std::size_t root = path.find('/');
        const std::size_t cut = path.rfind('/');
        if (cut == std::string::npos || cut == root) return path.substr(0, cut == std::string::npos ? path.size() : cut + 1);
        path.resize(cut);
        return path;
    }
    if (endsWithSeparator(path)) path.pop_back();
    std::size_t cut = sjis::findLastChar(path, '\\');
    if (cut == std::string::npos) return path;
    path.resize(cut);
    if (path.size() == 2 && path[1] == ':') path += '\\';
    return path;
}

bool taken(std::string_view t) {
    return t[0] == '\\' || t[0] == '/' || t[0] == '|' || (t.size() == 2 && t[1] == ':') ||
           (t.size() >= 3 && t[1] == ':' && t[2] == '\\');
}

std::string finish(std::string result) {
    if (result.size() == 2 && result[1] != '/') return result + '\\';
    if (result.size() >= 4 && endsWithSeparator(result)) result.pop_back();
    return result;
}
}  // namespace

std::string resolvePath(std::string_view currentPath, std::string_view typed) {
    if (typed.empty()) return std::string(currentPath);
    if (typed.starts_with("..")) {
        if (currentPath.starts_with("//")) return "//";
        std::string result(currentPath);
        std::string_view rest = typed;
        while (rest.starts_with("..")) {
            result = upOne(result);
            rest.remove_prefix(2);
            if (!rest.empty() && (rest[0] == '\\' || rest[0] == '/')) rest.remove_prefix(1);
        }
        return finish(rest.empty() ? result : joinPath(result, rest));
    }
    if (taken(typed)) return finish(std::string(typed));
    if (currentPath.starts_with("//")) return finish(std::string(typed));
    return finish(joinPath(currentPath, typed));
}
