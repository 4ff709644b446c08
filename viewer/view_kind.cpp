#include "viewer/view_kind.h"

#include <array>
#include <utility>

#include "base/name_compare.h"
#include "base/sjis.h"

PathParts pathParts(std::string_view path) {
    const std::size_t slash = sjis::findLastChar(path, '\\');
    const std::string_view last = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = sjis::findLastChar(last, '.');
    if (dot == std::string_view::npos) return {last, {}};
    return {last.substr(0, dot), last.substr(dot)};
}

ViewKind classifyPath(std::string_view path,
                      const std::function<bool(std::string_view)>& isDirectory) {
    if (path.find('>') != std::string_view::npos) return ViewKind::ArchiveMember;
    if (!path.empty() && path[0] == '|') return ViewKind::Ftp;
    const PathParts parts = pathParts(path);
    if ((!parts.name.empty() && parts.name[0] == '.') || isDirectory(path))
        return ViewKind::Directory;
    if (parts.extension.empty()) return ViewKind::Text;
    static constexpr std::array<std::pair<std::string_view, ViewKind>, 12> byExtension{{
        {".jpg", ViewKind::Jpeg},
        {".exe", ViewKind::Program},
        {".dll", ViewKind::Library},
        {".drv", ViewKind::Driver},
        {".jpeg", ViewKind::Jpeg},
        {".bmp", ViewKind::Bmp},
        {".png", ViewKind::Png},
        {".gif", ViewKind::Gif},
        {".ico", ViewKind::Icon},
        {".lzh", ViewKind::Lha},
        {".zip", ViewKind::Zip},
        {".cab", ViewKind::Cabinet},
    }};
    for (const auto& [extension, kind] : byExtension)
        if (equalNoCase(parts.extension, extension)) return kind;
    return ViewKind::Text;
}

bool isScrollable(ViewKind kind) {
    switch (kind) {
        case ViewKind::Program:
        case ViewKind::Library:
        case ViewKind::Driver:
        case ViewKind::Text:
        case ViewKind::Lha:
        case ViewKind::Cabinet:
        case ViewKind::Directory:
            return true;
        default:
            return false;
    }
}

bool isPicture(ViewKind kind) { return kind >= ViewKind::Jpeg && kind <= ViewKind::Icon; }

namespace {
bool extensionBegins(std::string_view path, std::string_view prefix) {
    const std::string_view extension = pathParts(path).extension;
    return extension.size() >= prefix.size() &&
           equalNoCase(extension.substr(0, prefix.size()), prefix);
}
}  // namespace

bool isHtmlLike(std::string_view path) {
    return extensionBegins(path, ".htm") || extensionBegins(path, ".xml");
}

bool isXmlPath(std::string_view path) { return extensionBegins(path, ".xml"); }

bool asksForTree(std::string_view path) {
    return path.size() >= 3 && path.substr(path.size() - 3) == "\\..";
}
