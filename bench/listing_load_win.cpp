// Under Wine: the raw FindFirstFileA/FindNextFileA loop over a directory
// against the full listing load of the same directory, paired in each round.
// Prints min/median/max of the per-round ratio and of each stage.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/path.h"
#include "bench/spread.h"
#include "base/win/handle.h"
#include "panes/column_layout.h"
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

std::size_t rawLoop(const std::string& directory) {
    WIN32_FIND_DATAA data;
    FindHandle find{FindFirstFileA(joinPath(directory, "*.*").c_str(), &data)};
    std::size_t n = 0;
    if (!find) return 0;
    do ++n;
    while (FindNextFileA(find.get(), &data));
    return n;
}

struct Stages {
    std::vector<double> read, sort, layout;
};

// The pipeline of a change of directory: read with the colour lookup and the
// mask, sort by extension then name, lay the columns out.
std::size_t fullLoad(const std::string& directory, const ExtTable& table, Stages& stages) {
    WinFileSystem fs;
    ListingLoader loader(fs, table);
    const MaskFilter mask("!*.bak");
    loader.setLocalMask(&mask);
    FileList shown;
    ListingLoader::Result result;
    auto t = Clock::now();
    loader.load(directory, "", SourceLocal, shown, result);
    stages.read.push_back(millisecondsSince(t));
    t = Clock::now();
    SortKeys keys;
    keys.fileName = {1, false, true};
    keys.extension = {2, false, true};
    keys.time = keys.attribute = keys.size = {};
    sortListing(shown, keys);
    stages.sort.push_back(millisecondsSince(t));
    t = Clock::now();
    ColumnLayout layout;
    LayoutParams params;
    params.clientWidth = 1200;
    params.clientHeight = 900;
    params.autoColumns = true;
    layout.layout(shown, params);
    stages.layout.push_back(millisecondsSince(t));
    return shown.count() + (layout.columns().empty() ? 1 : 0);
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
    const int rounds = std::max(3, argc > 3 ? std::atoi(argv[3]) : 7);

    std::vector<double> raw, full, ratio;
    Stages stages;
    std::size_t rawCount = 0, fullCount = 0;
    rawLoop(directory);  // warm the cache
    for (int r = 0; r < rounds; ++r) {
        auto t = Clock::now();
        rawCount = rawLoop(directory);
        raw.push_back(millisecondsSince(t));
        t = Clock::now();
        fullCount = fullLoad(directory, table, stages);
        full.push_back(millisecondsSince(t));
        ratio.push_back(full.back() / raw.back());
    }
    std::printf("entries: %zu found, %zu shown\n", rawCount, fullCount);
    printSpread("raw FindFirstFileA/FindNextFileA loop, ms", raw, "%.1f");
    printSpread("full listing load, ms", full, "%.1f");
    printSpread("  read with mask, ms", stages.read, "%.1f");
    printSpread("  sort, ms", stages.sort, "%.1f");
    printSpread("  column layout, ms", stages.layout, "%.1f");
    printSpread("ratio full/raw, per round", ratio);
    return 0;
}
