#pragma once
// The walk of the file search over any folder reader: files whose names match
// are reported as they are met, folders that cannot be read are counted and
// skipped, and a cancel stops the walk at the next entry.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "filesearch/search_request.h"

struct FolderEntry {
    std::string_view name;
    bool directory = false;
    bool link = false;  // a junction or symbolic link: never entered, it may loop
    uint64_t size = 0;
    int64_t writeTime = 0;  // the platform's file time
};

class FolderReader {
public:
    virtual ~FolderReader() = default;
    // Calls visit for every entry of the folder ("." and ".." included or
    // not); false when the folder could not be read at all.
    virtual bool read(const std::string& folder,
                      const std::function<void(const FolderEntry&)>& visit) = 0;
};

struct SearchHit {
    std::string path;
    uint64_t size = 0;
    int64_t writeTime = 0;
};

struct SearchCounts {
    std::size_t folders = 0;     // read
    std::size_t files = 0;       // looked at
    std::size_t found = 0;
    std::size_t unreadable = 0;  // folders skipped
    bool cancelled = false;
};

// Files before the subfolders of each folder, subfolders in the order read.
SearchCounts searchTree(const SearchRequest& request, FolderReader& reader,
                        const std::atomic<bool>& cancel,
                        const std::function<void(SearchHit&&)>& onHit,
                        const std::function<void(const SearchCounts&)>& onFolder = {});
