#pragma once
// Where a listing comes from, and the seams through which each source plugs in.
#include <functional>
#include <string>

#include "panes/file_list.h"

enum ListingSource : int { SourceLocal = 0, SourceNetwork = 1, SourceFtp = 2, SourceArchive = 3 };

// The platform's directory enumeration (FindFirstFileA/FindNextFileA).
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Calls each for every record of the search path; false when the first find fails.
    virtual bool find(const std::string& searchPath,
                      const std::function<void(const FileEntry&)>& each) = 0;
    // Only the first record, for the directory test.
    virtual bool findFirst(const std::string& searchPath, FileEntry& first) = 0;
    virtual bool setCurrentDirectory(const std::string& path) = 0;
};

// A reader for network containers, FTP directories or archive folders.
// read() answers false when it does not accept the path.
class ListingReader {
public:
    virtual ~ListingReader() = default;
    virtual bool read(const std::string& path, FileList& raw) = 0;
    // The name the source itself gives the place just read (an FTP server's
    // own path for it), or "" to keep the path asked for.
    virtual std::string listedPath() const { return {}; }
};
