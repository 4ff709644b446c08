#include "archive/win/archive_work.h"

#include <cstdio>
#include <unordered_set>

#include "archive/archive_commands.h"
#include "archive/archive_path.h"
#include "archive/win/archive_library.h"
#include "archive/win/archive_messages.h"
#include "archive/win/current_directory_scope.h"
#include "base/path.h"
#include "base/sjis.h"
#include "services/win/work_cleanup.h"
#include "services/work_directory.h"

namespace {

constexpr int WorkArchive = 2;
constexpr int MostTries = 100000;

std::string localMemberPath(const std::string& directory, const std::string& member) {
    std::string path = member;
    for (std::size_t at : charPositions(path, '/')) path[at] = '\\';
    return joinPath(directory, path);
}

bool lastWritten(const std::string& path, FILETIME& written) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    written = data.ftLastWriteTime;
    return true;
}

// An inner archive named last is a member here, not a folder to enter.
ArchivePathParts memberParts(const std::string& path) {
    ArchivePathParts parts = splitArchivePath(path);
    if (parts.inside.empty() && !parts.nested.empty()) {
        parts.inside = parts.nested.back();
        parts.nested.pop_back();
    }
    return parts;
}

}  // namespace

std::string ArchiveWork::freshDirectory(const std::string& archiveFile) {
    // The work folder of the settings may exist yet refuse every write (read
    // only, full): the program's own folder stands in for it then.
    const std::string configured = settings_.WorkDirectory(WorkArchive, makeDirectoryLevel);
    const std::string own = workDirectoryPath(WorkArchive, "", settings_.ProgramDirectory(),
                                              makeDirectoryLevel);
    for (const std::string& base : {configured, own}) {
        for (const std::string& level : directoryChain(base)) makeDirectoryLevel(level);
        for (int tries = 0; tries < MostTries; ++tries) {
            const int number = settings_.ArchiveWorkNumber;
            settings_.ArchiveWorkNumber = number == INT32_MAX ? 0 : number + 1;
            const std::string directory = numberedWorkDirectory(base, number, archiveFile);
            if (CreateDirectoryA(directory.c_str(), nullptr)) return directory;
            // Taken by an earlier extraction or another instance: the next number.
            if (GetLastError() != ERROR_ALREADY_EXISTS) break;
        }
        if (base == own) break;
    }
    tellArchiveFailure(owner_, MessageArchiveEntryFailed, archiveFile, ArchiverResult{true, -1});
    return {};
}

std::vector<std::string> ArchiveWork::extractMembers(const std::string& archiveFile,
                                                     const std::vector<std::string>& members,
                                                     const std::string& into) {
    ArchiveLibrary library;
    if (!library.Load(archiveFile)) {
        tellLibraryMissing(owner_, archiveFile);
        return {};
    }
    if (!goAheadDespiteClashes(owner_, library, members)) return {};
    const std::string directory = into.empty() ? freshDirectory(archiveFile) : into;
    if (directory.empty()) return {};
    ArchiverResult result;
    {
        CurrentDirectoryScope inside(directory);
        if (inside.entered()) result = library.Extract(owner_, members);
    }
    library.Unload();
    Sleep(0);
    std::vector<std::string> extracted;
    // Members that landed on one file (the user went on past the question)
    // are that file once.
    std::unordered_set<std::string> landed;
    for (const std::string& member : members) {
        std::string path = localMemberPath(directory, member);
        if (!landed.insert(sjis::toLowerAscii(path)).second) continue;
        // A library that answers success yet wrote nothing has still failed.
        if (result.ok() && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            result.code = -1;
        extracted.push_back(std::move(path));
    }
    if (result.ok()) return extracted;
    tellArchiveFailure(owner_, MessageArchiveEntryFailed,
                       archiveFile + ">" + (members.empty() ? std::string() : members.front()),
                       result, library.libraryName);
    if (into.empty()) removeWorkDirectory(directory);
    return {};
}

std::string ArchiveWork::extractMember(const std::string& archiveFile, const std::string& member) {
    std::vector<std::string> out = extractMembers(archiveFile, {member});
    return out.empty() ? std::string() : out.front();
}

std::string ArchiveWork::innermostArchive(const ArchivePathParts& parts) {
    std::string file = parts.archiveFile;
    for (const std::string& member : parts.nested) {
        const std::string key = file + ">" + member;
        FILETIME written{};
        if (!lastWritten(file, written)) return {};
        auto known = inner_.find(key);
        if (known != inner_.end() && CompareFileTime(&known->second.written, &written) == 0 &&
            GetFileAttributesA(known->second.path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            file = known->second.path;
            continue;
        }
        std::string extracted = extractMember(file, memberOfSource(member));
        if (extracted.empty()) return {};
        inner_[key] = {written, extracted};
        file = extracted;
    }
    return file;
}

std::string ArchiveWork::extractEntry(const std::string& archivePath) {
    const ArchivePathParts parts = memberParts(archivePath);
    if (parts.inside.empty()) return {};
    const std::string file = innermostArchive(parts);
    if (file.empty()) return {};
    return extractMember(file, memberOfSource(parts.inside));
}

std::vector<std::string> ArchiveWork::extractSources(const std::vector<std::string>& sources) {
    return extractSourcesInto(sources, {});
}

std::vector<std::string> ArchiveWork::extractSourcesInto(const std::vector<std::string>& sources,
                                                         const std::string& directory) {
    if (sources.empty()) return {};
    const std::string file = innermostArchive(memberParts(sources.front()));
    if (file.empty()) return {};
    std::vector<std::string> members;
    for (const std::string& source : sources) {
        const std::string inside = memberParts(source).inside;
        if (!inside.empty()) members.push_back(memberOfSource(inside));
    }
    if (members.empty()) return {};
    return extractMembers(file, members, directory);
}
