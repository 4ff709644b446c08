#include "services/work_directory.h"

#include "base/path.h"
#include "base/sjis.h"

namespace {

// Offsets of the single-byte "\" characters, skipping trail bytes.
std::vector<std::size_t> separatorPositions(std::string_view path) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < path.size(); i += sjis::charLength(path, i)) {
        if (path[i] == '\\' && sjis::charLength(path, i) == 1) found.push_back(i);
    }
    return found;
}

// Matches only at character starts, so a trail byte never begins a match.
bool containsText(std::string_view text, std::string_view part) {
    for (std::size_t i = 0; i + part.size() <= text.size(); i += sjis::charLength(text, i)) {
        if (text.compare(i, part.size(), part) == 0) return true;
    }
    return false;
}

}  // namespace

std::string_view workDirectoryName(int kind) {
    switch (kind) {
    case 1: return "V_WORK\\W_FTP";
    case 2: return "V_WORK\\W_ARCHIVE";
    case 3: return "V_WORK\\W_CACHE";
    default: return {};
    }
}

std::vector<std::string> directoryChain(std::string_view path) {
    constexpr std::size_t rootLength = 3;  // "C:\"
    std::vector<std::string> chain;
    std::size_t componentStart = rootLength;
    for (std::size_t pos : separatorPositions(path)) {
        if (pos < rootLength) continue;
        if (pos > componentStart) chain.emplace_back(path.substr(0, pos));
        componentStart = pos + 1;
    }
    if (path.size() > componentStart) chain.emplace_back(path);
    return chain;
}

bool endsWithSeparator(std::string_view path) {
    auto separators = separatorPositions(path);
    return !separators.empty() && separators.back() + 1 == path.size();
}

std::string workDirectoryPath(int kind, const std::string& ftpWork,
                              const std::string& programDirectory,
                              const std::function<bool(const std::string&)>& makeDirectory) {
    std::string_view name = workDirectoryName(kind);
    if (name.empty()) return ftpWork;
    bool usable = isDrivePath(ftpWork) && ftpWork.find("..") == std::string::npos;
    if (usable) {
        for (const std::string& directory : directoryChain(ftpWork)) {
            if (!makeDirectory(directory)) {
                usable = false;
                break;
            }
        }
    }
    std::string base = usable ? ftpWork : programDirectory;
    if (!base.empty() && !endsWithSeparator(base)) base += '\\';
    return base + std::string(name);
}

bool mayRemoveWorkDirectory(std::string& path) {
    if (!containsText(path, "V_WORK")) return false;
    if (endsWithSeparator(path)) path.pop_back();
    return true;
}
