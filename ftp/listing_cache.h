#pragma once
// Listings kept per host so that walking back needs no server, and saved
// between runs for as many days as "FtpSaveCache" says.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ftp/file_time.h"
#include "ftp/listing_parse.h"

namespace ftp {

// Calendar fields of the saved file are local time; the program converts
// with the platform, the tests with UTC.
struct LocalClock {
    std::function<CalendarTime(uint64_t)> toLocal;
    std::function<std::optional<uint64_t>(const CalendarTime&)> fromLocal;
};

class ListingCache {
public:
    // Replaces the listing of a directory ("/" separated, "" or "/..." below
    // the host) of hostKey.
    void store(const std::string& hostKey, const std::string& directory, std::vector<ListedEntry> entries,
               uint64_t fetched);
    // The cached listing of directory; when directory names a file of a
    // cached listing, that listing, with directory cut back to it. A
    // listing with no entries or an entry of unknown time is no hit.
    std::optional<std::vector<ListedEntry>> lookup(const std::string& hostKey, std::string& directory) const;
    void forget(const std::string& hostKey, const std::string& directory);

    std::vector<std::string> hosts() const;
    // The saved form of one host: blocks of "@dir,y,m,d,h,mi,s" and entry
    // lines, parents before their sub-directories.
    std::string save(const std::string& hostKey, const LocalClock& clock) const;
    // Takes the blocks of a saved file whose fetch time plus lifeDays lies
    // after now (every block when lifeDays < 1); lines it cannot read are
    // left out. Returns the number of blocks taken.
    int load(const std::string& hostKey, std::string_view text, int lifeDays, uint64_t now,
             const LocalClock& clock);

private:
    struct Node {
        std::vector<ListedEntry> entries;
        uint64_t fetched = 0;
    };
    // Parents sort before children: "/" counts below every other byte.
    struct PathOrder {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    std::map<std::string, std::map<std::string, Node, PathOrder>> hosts_;
};

}  // namespace ftp
