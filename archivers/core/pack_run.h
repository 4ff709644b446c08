#pragma once
// Packing the named files and directories of a disk into one archive writer.
#include <string>
#include <vector>

#include "archivers/core/archive_writer.h"
#include "archivers/core/disk.h"

namespace arc {

struct PackOptions {
    std::vector<std::string> names;  // files, directories, "dir\*.*", "*.txt"
    bool recursive = false;          // directories are walked to the bottom
    std::string archive;             // the archive being written: never packed into itself
};

struct PackResult {
    int code = 0;
    int packed = 0;
};

PackResult packFiles(ArchiveWriter& writer, Disk& disk, const PackOptions& options, std::string& log);

// "*" and "?" over one name, ASCII case ignored; "*.*" matches every name.
bool wildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace arc
