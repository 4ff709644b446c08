// Under Wine: the raw FindFirstFileA/FindNextFileA loop over a directory
// against the full listing load of the same directory (read with the colour
// lookup, mask, sort by extension then name, column widths). Prints medians
// and their ratio.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/path.h"
#include "base/win/handle.h"
#include "panes/ext_table.h"
#include "panes/listing_loader.h"
#include "panes/listing_sort.h"
#include "panes/mask_filter.h"
#include "panes/win/win_file_system.h"

namespace {
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::size_t rawLoop(const std::string& directory) {
    WIN32_FIND_DATAA data;
    FindHandle find{FindFirstFileA(joinPath(directory, "*.*").c_str(), &data)};
    std::size_t n = 0;
    if (!find) return 0;
    do ++n;
    while (FindNextFileA(find.get(), &data));
    return n;
}

std::size_t fullLoad(const std::string& directory, const ExtTable& table) {
    WinFileSystem fs;
    FileList raw;
    readDirectory(fs, table, directory, raw);
    FileList shown;
    applyMask(raw, "!*.bak", shown);
    SortKeys keys;
    keys.fileName = {1, false, true};
    keys.extension = {2, false, true};
    keys.time = keys.attribute = keys.size = {};
    sortListing(shown, keys);
    std::size_t nameWidth = 0, extWidth = 0;
    for (const FileEntry& e : shown.entries()) {
        std::string_view name = e.name();
        std::size_t dot = name.rfind('.');
        nameWidth = std::max(nameWidth, dot == std::string_view::npos ? name.size() : dot);
        extWidth = std::max(extWidth, dot == std::string_view::npos ? 0 : name.size() - dot - 1);
    }
    return shown.count() + (nameWidth + extWidth > 0 ? 0 : 1);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: listing_load_win DIRECTORY COLOR.TBL [ROUNDS]\n");
        return 2;
    }
    std::string directory = argv[1];
    ExtTable table;
    table.load(argv[2]);
    int rounds = argc > 3 ? std::atoi(argv[3]) : 5;

    std::vector<double> raw, full;
    std::size_t rawCount = 0, fullCount = 0;
    rawLoop(directory);  // warm the cache
    for (int r = 0; r < rounds; ++r) {
        auto t = Clock::now();
        rawCount = rawLoop(directory);
        raw.push_back(millisecondsSince(t));
        t = Clock::now();
        fullCount = fullLoad(directory, table);
        full.push_back(millisecondsSince(t));
    }
    double rawMs = median(raw), fullMs = median(full);
    std::printf("entries: %zu found, %zu shown\n", rawCount, fullCount);
    std::printf("raw FindFirstFileA/FindNextFileA loop: %.1f ms (median of %d)\n", rawMs, rounds);
    std::printf("full listing load: %.1f ms (median of %d)\n", fullMs, rounds);
    std::printf("ratio full/raw: %.2f\n", fullMs / rawMs);
    return 0;
}
