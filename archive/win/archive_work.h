#pragma once
// Bringing archive members out to disk: each extraction gets a fresh numbered
// directory of its own below the archive work directory, inner archives of a
// nested path are brought out first. Failures are told to the user here.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "archive/archive_path.h"
#include "services/settings.h"

class ArchiveWork {
public:
    explicit ArchiveWork(Settings& settings) : settings_(settings) {}
    void attach(HWND owner) { owner_ = owner; }
    HWND owner() const { return owner_; }

    // "<work>\<n><archive name>", made here and never used before, by this
    // or any other instance: the directory is created exclusively and the
    // number advanced past every one that exists. "" when none can be made.
    std::string freshDirectory(const std::string& archiveFile);

    // The archive file on disk that a path's innermost archive is read from:
    // the file itself, or the extracted copy of a nested archive. "" after a
    // failure (told).
    std::string innermostArchive(const ArchivePathParts& parts);

    // One entry of an archive path extracted to a fresh work directory; its
    // local path, or "" (told).
    std::string extractEntry(const std::string& archivePath);

    // The sources (archive paths in one archive) extracted together in one
    // library call; the extracted paths, or none after a failure (told).
    std::vector<std::string> extractSources(const std::vector<std::string>& sources);
    // The same into a directory the caller made and later removes.
    std::vector<std::string> extractSourcesInto(const std::vector<std::string>& sources,
                                                const std::string& directory);

private:
    // member of archiveFile out to a fresh directory; the extracted path or "".
    std::string extractMember(const std::string& archiveFile, const std::string& member);
    // Into a fresh directory unless into names one.
    std::vector<std::string> extractMembers(const std::string& archiveFile,
                                            const std::vector<std::string>& members,
                                            const std::string& into = {});

    Settings& settings_;
    HWND owner_ = nullptr;
    // Inner archives already brought out, by "outer file>member", with the
    // outer file's time of writing then: browsing a nested archive folder by
    // folder extracts it once.
    struct Extracted {
        FILETIME written;
        std::string path;
    };
    std::map<std::string, Extracted> inner_;
};
