// Under Wine: the file search's walk of a tree (pattern match, hits kept as
// the window keeps them) against a bare recursive FindFirstFileA/FindNextFileA
// walk of the same tree, paired in each round. Prints min/median/max of the
// per-round ratio.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/path.h"
#include "base/win/handle.h"
#include "bench/spread.h"
#include "filesearch/tree_search.h"
#include "filesearch/win/win_folder_reader.h"

namespace {
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::size_t rawWalk(const std::string& folder) {
    WIN32_FIND_DATAA data;
    FindHandle find{FindFirstFileA(joinPath(folder, "*").c_str(), &data)};
    if (!find) return 0;
    std::size_t files = 0;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (std::strcmp(data.cFileName, ".") && std::strcmp(data.cFileName, ".."))
                files += rawWalk(joinPath(folder, data.cFileName));
        } else {
            ++files;
        }
    } while (FindNextFileA(find.get(), &data));
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: file_search_win <tree> [rounds]\n");
        return 2;
    }
    const std::string tree = argv[1];
    const int rounds = argc > 2 ? std::max(3, std::atoi(argv[2])) : 5;
    std::vector<double> ratios, raw, search;
    std::size_t files = 0, hits = 0;
    rawWalk(tree);  // both start from a warm cache
    for (int i = 0; i < rounds; ++i) {
        auto start = Clock::now();
        files = rawWalk(tree);
        raw.push_back(millisecondsSince(start));

        start = Clock::now();
        WinFolderReader reader;
        std::atomic<bool> cancel{false};
        std::vector<SearchHit> found;
        searchTree({"*.txt", tree, true}, reader, cancel,
                   [&](SearchHit&& hit) { found.push_back(std::move(hit)); });
        search.push_back(millisecondsSince(start));
        hits = found.size();
        ratios.push_back(search.back() / raw.back());
    }
    std::printf("tree of %zu files, %zu found by \"*.txt\"\n", files, hits);
    printSpread("raw recursive walk, ms", raw, "%.0f");
    printSpread("file search walk, ms", search, "%.0f");
    printSpread("file search against the raw walk", ratios);
    return 0;
}
