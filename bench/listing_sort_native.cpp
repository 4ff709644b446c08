// Natively: the listing pipeline (mask, sort by extension then name) on
// synthetic listings from 125,000 to 1,000,000 entries, to show the cost grows
// as N log N. Each repeat times every size once and divides each time by
// N log2 N, relative to 125,000 entries in the same repeat.
//   listing_sort_native [REPEATS]     the figures (at least 3 repeats)
//   listing_sort_native --once N      one pipeline run on N entries, for a profiler
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/spread.h"
#include "panes/file_list.h"
#include "panes/listing_sort.h"
#include "panes/mask_filter.h"

namespace {
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

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

struct Timing {
    double mask, sort;
};

Timing runOnce(const FileList& raw) {
    auto t = Clock::now();
    FileList shown;
    applyMask(raw, "!*.bak", shown);
    const double mask = msSince(t);
    t = Clock::now();
    SortKeys keys;
    keys.fileName = {1, false, true};
    keys.extension = {2, false, true};
    keys.time = keys.attribute = keys.size = {};
    sortListing(shown, keys);
    return {mask, msSince(t)};
}
}  // namespace

int main(int argc, char** argv) {
    std::mt19937 rng(7);
    if (argc == 3 && std::strcmp(argv[1], "--once") == 0) {
        const FileList raw = syntheticListing(std::strtoul(argv[2], nullptr, 10), rng);
        const Timing t = runOnce(raw);
        std::printf("mask %.1f ms, sort %.1f ms\n", t.mask, t.sort);
        return 0;
    }
    const int repeats = std::max(3, argc > 1 ? std::atoi(argv[1]) : 5);
    std::vector<std::size_t> sizes;
    std::vector<FileList> listings;
    for (std::size_t n = 125'000; n <= 1'000'000; n *= 2) {
        sizes.push_back(n);
        listings.push_back(syntheticListing(n, rng));
    }
    std::vector<std::vector<double>> total(sizes.size()), mask(sizes.size()), sort(sizes.size()),
        ratio(sizes.size());
    for (int r = 0; r < repeats; ++r) {
        double base = 0;
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            const Timing t = runOnce(listings[i]);
            const double n = double(sizes[i]);
            const double perNLogN = (t.mask + t.sort) / (n * std::log2(n));
            if (i == 0) base = perNLogN;
            total[i].push_back(t.mask + t.sort);
            mask[i].push_back(t.mask);
            sort[i].push_back(t.sort);
            ratio[i].push_back(perNLogN / base);
        }
    }
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        std::printf("%zu entries:\n", sizes[i]);
        printSpread("  mask + sort, ms", total[i], "%.1f");
        printSpread("  of which mask, ms", mask[i], "%.1f");
        printSpread("  of which sort, ms", sort[i], "%.1f");
        if (i > 0) printSpread("  ms/(N log2 N) against 125,000", ratio[i]);
    }
    return 0;
}
