#include "fileops/command_paths.h"

#include <cctype>

#include "base/path.h"
#include "base/sjis.h"

std::string doubleNulList(const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& path : paths) {
        if (path.empty() || path.find('\0') != std::string::npos) continue;
        list += path;
        list += '\0';
    }
    list += '\0';
    return list;
}

std::vector<std::string> splitDoubleNulList(std::string_view list) {
    std::vector<std::string> paths;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find('\0', start);
        if (end == std::string_view::npos) end = list.size();
        if (end == start) break;
        paths.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
    return paths;
}

std::string copyNameProposal(std::string_view name) {
    for (std::size_t i = 0; i < name.size(); i += sjis::charLength(name, i)) {
        if (name[i] == '.' && sjis::charLength(name, i) == 1) {
            return std::string(name.substr(0, i)) + "_Copy" + std::string(name.substr(i));
        }
    }
    return std::string(name) + "_Copy";
}

bool proposesCopyName(std::string_view cursorName, int markedCount) {
    return !cursorName.empty() && cursorName != ".." && markedCount <= 1;
}

std::string resolveDestination(std::string_view text, std::string_view paneDirectory,
                               const DriveDirectoryLookup& driveDirectory) {
    if (text.size() == 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0])) &&
        driveDirectory) {
        return driveDirectory(static_cast<char>(std::toupper(static_cast<unsigned char>(text[0]))));
    }
    if (isDrivePath(text) || (!text.empty() && text[0] == '\\')) return std::string(text);
    return joinPath(paneDirectory, text);
}

std::vector<std::string> fullPaths(const std::vector<std::string>& names,
                                   std::string_view paneDirectory) {
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const std::string& name : names) paths.push_back(joinPath(paneDirectory, name));
    return paths;
}

TransferArguments prepareTransfer(const std::vector<std::string>& names,
                                  std::string_view destinationText, bool direct,
                                  std::string_view paneDirectory,
                                  const DriveDirectoryLookup& driveDirectory) {
    if (direct || isFtpPath(destinationText)) return {names, std::string(destinationText)};
    return {fullPaths(names, paneDirectory),
            resolveDestination(destinationText, paneDirectory, driveDirectory)};
}

bool isShallowNetworkPath(std::string_view path) {
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (path.size() < 2 || !separator(path[0]) || !separator(path[1])) return false;
    int backslashes = 0;
    for (std::size_t i = 0; i < path.size(); i += sjis::charLength(path, i)) {
        if (path[i] == '\\' && sjis::charLength(path, i) == 1) ++backslashes;
    }
    return backslashes <= 3;
}

bool shellRefuses(const std::vector<std::string>& sources) {
    return !sources.empty() && (isFtpPath(sources.front()) || isShallowNetworkPath(sources.front()));
}

PlatformKind platformKind(unsigned platformId, unsigned major, unsigned minor) {
    switch (platformId) {
    case 0: return PlatformKind::Win32s;
    case 1:
        if (minor == 0) return PlatformKind::Win95;
        return minor < 9 ? PlatformKind::Win9x : PlatformKind::Win9xLate;
    case 2: return major == 5 ? PlatformKind::NT5 : PlatformKind::NT;
    default: return PlatformKind::Unknown;
    }
}

std::vector<std::string> prepareShellCopy(PlatformKind kind, const std::vector<std::string>& sources,
                                          const std::string& destination, const PathProbe& probe) {
    if (kind != PlatformKind::NT || sources.empty()) return sources;
    if (probe.isDirectory(destination) || probe.isFile(destination)) return sources;
    if (sources.size() == 1 && probe.isFile(sources.front())) return sources;
    if (!probe.makeDirectories(destination)) return sources;
    std::vector<std::string> prepared;
    prepared.reserve(sources.size());
    for (const std::string& source : sources) {
        if (!probe.isDirectory(source)) {
            prepared.push_back(source);
        } else if (!source.empty() && sjis::findLastChar(source, '\\') == source.size() - 1) {
            prepared.push_back(source + "*.*");
        } else {
            prepared.push_back(source + "\\*.*");
        }
    }
    return prepared;
}

int effectAfterDrop(int currentEffect, unsigned dropEffectBits) {
    int effect = currentEffect;
    if (dropEffectBits & 4) effect = 0;
    if (dropEffectBits & 2) effect = 2;
    if (dropEffectBits & 1) effect = 1;
    return effect;
}

bool pastablePath(std::string_view path) {
    if (path.size() > 520 || path.find_first_of("*?") != std::string_view::npos) return false;
    const bool drive = path.size() >= 3 && path[1] == ':' && path[2] == '\\';
    const bool network = path.size() >= 3 && path[0] == '\\' && path[1] == '\\';
    return drive || network;
}
