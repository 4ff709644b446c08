#pragma once
// Reading a path into a raw listing: the choice of source, the local reader and
// the directory test.
#include <string>

#include "panes/ext_table.h"
#include "panes/mask_filter.h"
#include "panes/listing_source.h"

// Reads a local directory ("." left out, entries whose colours hide them left
// out; with a mask, what it hides too). Returns the count, 0 for an empty
// drive root, -1 on failure.
int readDirectory(FileSystem& fs, const ExtTable& table, const std::string& directory,
                  FileList& list, const MaskFilter* mask = nullptr);

bool isDirectory(FileSystem& fs, const std::string& path);

class ListingLoader {
public:
    ListingLoader(FileSystem& fs, const ExtTable& table) : fs_(fs), table_(table) {}

    // Readers for the other sources; a missing one accepts nothing.
    void setNetworkReader(ListingReader* r) { network_ = r; }
    void setFtpReader(ListingReader* r) { ftp_ = r; }
    void setArchiveReader(ListingReader* r) { archive_ = r; }
    // Local directories are filtered while they are read, which spares a
    // copy of every entry; other sources leave the mask to the caller.
    void setLocalMask(const MaskFilter* mask) { mask_ = mask; }

    struct Result {
        std::string path;  // the path actually read (relative paths resolved)
        ListingSource source = SourceLocal;
        bool masked = false;  // the local mask was applied while reading
    };

    // Chooses the source for path (empty: the current path) given the current
    // path and source, and reads it into raw. False when no reader accepts it;
    // raw is then left as it was.
    bool load(const std::string& path, const std::string& currentPath, ListingSource currentSource,
              FileList& raw, Result& result);

private:
    FileSystem& fs_;
    const ExtTable& table_;
    ListingReader* network_ = nullptr;
    ListingReader* ftp_ = nullptr;
    ListingReader* archive_ = nullptr;
    const MaskFilter* mask_ = nullptr;
};
