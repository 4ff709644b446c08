#pragma once
// What the main window hands the info window at each cursor move: the
// entry's full path and its find record, copied for every update.
#include <cstdint>

#include "panes/file_entry.h"

struct InfoEntry {
    char path[260];
    FileEntry find;
};

// Where the listing's disk value comes from: a local drive, or an FTP
// listing from the server or from the local cache (the high word's marks).
constexpr int32_t DiskFtpOriginal = -1;
constexpr int32_t DiskFtpCache = -2;

struct InfoCounts {
    int entries = 0;
    int marked = 0;
    int cursor = 0;
};
