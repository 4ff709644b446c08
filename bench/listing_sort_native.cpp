// Natively: the listing pipeline (mask, sort by extension then name) on
// synthetic listings from 125,000 to 1,000,000 entries, to show the cost grows
// as N log N. Prints each time divided by N log2 N, relative to the smallest N.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "panes/file_list.h"
#include "panes/listing_sort.h"
#include "panes/mask_filter.h"

namespace {
FileList syntheticListing(std::size_t n, std::mt19937& rng) {
    static const char* exts[] = {"txt", "cpp", "h", "exe", "", "jpg", "lzh", "zip", "doc", "bak"};
    std::uniform_int_distribution<int> letter('a', 'z');
    std::uniform_int_distribution<int> ext(0, 9);
    std::uniform_int_distribution<int> len(4, 20);
    FileList list;
    for (std::size_t i = 0; i < n; ++i) {
        std::string name;
        for (int k = len(rng); k > 0; --k) name += static_cast<char>(letter(rng));
        const char* e = exts[ext(rng)];
        if (*e) name = name + "." + e;
        list.append(makeEntry(name, i % 17 == 0 ? 0x10 : 0x20, i * 37, i * 10'000'000ull));
    }
    return list;
}

double runOnce(const FileList& raw) {
    auto start = std::chrono::steady_clock::now();
    FileList shown;
    applyMask(raw, "!*.bak", shown);
    SortKeys keys;
    keys.fileName = {1, false, true};
    keys.extension = {2, false, true};
    keys.time = keys.attribute = keys.size = {};
    sortListing(shown, keys);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}
}  // namespace

int main() {
    std::mt19937 rng(7);
    double base = 0;
    std::printf("%10s %12s %22s\n", "entries", "ms (median)", "ms/(N log2 N) vs 125k");
    for (std::size_t n = 125'000; n <= 1'000'000; n *= 2) {
        FileList raw = syntheticListing(n, rng);
        std::vector<double> times;
        for (int r = 0; r < 3; ++r) times.push_back(runOnce(raw));
        std::sort(times.begin(), times.end());
        double ms = times[1];
        double perNLogN = ms / (double(n) * std::log2(double(n)));
        if (base == 0) base = perNLogN;
        std::printf("%10zu %12.1f %22.2f\n", n, ms, perNLogN / base);
    }
    return 0;
}
