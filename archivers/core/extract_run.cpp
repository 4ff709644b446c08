#include "archivers/core/extract_run.h"

#include "archivers/core/error_code.h"
#include "archivers/core/member_path.h"

namespace arc {
namespace {

// "." or "./": the target itself, which needs nothing done.
bool namesTarget(const std::string& name) {
    for (char c : name)
        if (c != '.' && c != '/' && c != '\\') return false;
    return name.find("..") == std::string::npos;
}

bool selected(const Member& m, const std::vector<std::string>& names) {
    if (names.empty()) return true;
    for (const auto& n : names)
        if (memberSelected(m.name, n)) return true;
    return false;
}

std::string joined(const std::string& directory, const std::string& path) {
    return directory.empty() ? path : directory + "/" + path;
}

}  // namespace

ExtractResult extractMembers(ArchiveReader& reader, Disk& disk, const ExtractOptions& options,
                             std::string& log) {
    ExtractResult result;
    Member m;
    while (reader.next(m)) {
        if (!selected(m, options.names) || (m.isDirectory && namesTarget(m.name))) continue;
        auto safe = safeMemberPath(m.name);
        if (!safe || m.isLink) {
            ++result.refused;
            keepFirst(result.code, kErrorUserSkip);
            log += (m.isLink ? "skipped link: " : "unsafe name refused: ") + m.name + "\n";
            continue;
        }
        std::string path = *safe;
        if (!options.keepPaths) {
            if (m.isDirectory) continue;
            auto slash = path.rfind('/');
            if (slash != std::string::npos) path = path.substr(slash + 1);
        }
        path = joined(options.targetDirectory, path);
        if (m.isDirectory) {
            if (!disk.makeDirectories(path)) {
                ++result.failed;
                keepFirst(result.code, kErrorMakeDirectory);
                log += "cannot make directory: " + path + "\n";
            }
            continue;
        }
        auto slash = path.rfind('/');
        if (slash != std::string::npos && !disk.makeDirectories(path.substr(0, slash))) {
            ++result.failed;
            keepFirst(result.code, kErrorMakeDirectory);
            log += "cannot make directory: " + path.substr(0, slash) + "\n";
            continue;
        }
        if (!options.overwrite && disk.exists(path)) {
            ++result.failed;
            keepFirst(result.code, kErrorAlreadyExist);
            log += "exists, kept: " + path + "\n";
            continue;
        }
        auto file = disk.create(path);
        if (!file) {
            ++result.failed;
            keepFirst(result.code, kErrorFileOpen);
            log += "cannot create: " + path + "\n";
            continue;
        }
        int code = reader.extract(*file);
        if (code == kOk && !file->commit(options.overwrite, m.dosDate, m.dosTime)) code = kErrorCannotWrite;
        if (code != kOk) {
            ++result.failed;
            keepFirst(result.code, code);
            log += "failed (" + std::to_string(code) + "): " + path + "\n";
            continue;
        }
        ++result.extracted;
        log += "extracted: " + path + "\n";
    }
    if (reader.error() != kOk) keepFirst(result.code, reader.error());
    return result;
}

}  // namespace arc
