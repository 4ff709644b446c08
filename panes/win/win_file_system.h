#pragma once
#include "panes/listing_source.h"

// The local file system through FindFirstFileA/FindNextFileA.
class WinFileSystem : public FileSystem {
public:
    bool find(const std::string& searchPath,
              const std::function<void(const FileEntry&)>& each) override;
    bool findFirst(const std::string& searchPath, FileEntry& first) override;
    bool setCurrentDirectory(const std::string& path) override;
};
