#pragma once
// Extraction of the selected members of one archive into a disk.
#include <string>
#include <vector>

#include "archivers/core/archive_reader.h"
#include "archivers/core/disk.h"
#include "archivers/core/error_code.h"

namespace arc {

struct ExtractOptions {
    std::vector<std::string> names;  // empty: every member
    bool overwrite = true;
    bool keepPaths = true;  // false: every file lands in the target itself
    std::string targetDirectory;  // relative to the disk root, "" for the root
};

struct ExtractResult {
    int code = kOk;      // the first failure, 0 when all went well
    int extracted = 0;
    int refused = 0;     // unsafe names and links, skipped
    int failed = 0;
};

// Goes on after a failing member so one damaged entry costs only itself;
// `log` gets one line per member.
ExtractResult extractMembers(ArchiveReader& reader, Disk& disk, const ExtractOptions& options,
                             std::string& log);

}  // namespace arc
