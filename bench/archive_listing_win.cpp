// Under Wine: the top level of a ZIP with 100,000 entries as the pane gets it
// (the library loaded by name, every record folded into the level, sorted)
// against the library's own FindFirst/FindNext loop over the same archive,
// library loading included on both sides. Paired in every round.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "archive/win/archive_library.h"
#include "bench/spread.h"
#include "panes/listing_sort.h"
#include "services/win/program_directory.h"

namespace {
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// This process's processor time (user and kernel), in ms: on a machine that
// other jobs share, wall time stretches whatever work is measured.
double processorMs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ms = [](FILETIME f) { return ((std::uint64_t(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

std::size_t rawLoop(const std::string& zip) {
    HMODULE module = LoadLibraryA((programDirectory() + "UNZIP32.DLL").c_str());
    if (!module) return 0;
    auto proc = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module, name)); };
    auto open = reinterpret_cast<HANDLE(WINAPI*)(HWND, LPCSTR, DWORD)>(proc("UnZipOpenArchive"));
    auto close = reinterpret_cast<int(WINAPI*)(HANDLE)>(proc("UnZipCloseArchive"));
    auto first = reinterpret_cast<int(WINAPI*)(HANDLE, LPCSTR, void*)>(proc("UnZipFindFirst"));
    auto next = reinterpret_cast<int(WINAPI*)(HANDLE, void*)>(proc("UnZipFindNext"));
    std::size_t n = 0;
    if (HANDLE archive = open(nullptr, zip.c_str(), 16898)) {
        char info[560];
        for (int found = first(archive, "*", info); found == 0; found = next(archive, info)) ++n;
        close(archive);
    }
    FreeLibrary(module);
    return n;
}

std::size_t paneListing(const std::string& zip, std::vector<double>& sortMs) {
    ArchiveLibrary library;
    if (!library.Load(zip)) return 0;
    FileList list;
    if (library.List(nullptr, "", list) < 0) return 0;
    library.Unload();
    const auto t = Clock::now();
    // As the directory-load benchmark sorts: by extension, then name.
    SortKeys keys;
    keys.fileName = {1, false, true};
    keys.extension = {2, false, true};
    keys.time = keys.attribute = keys.size = {};
    sortListing(list, keys);
    sortMs.push_back(millisecondsSince(t));
    return list.count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s archive.zip [rounds]\n", argv[0]);
        return 2;
    }
    const std::string zip = argv[1];
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
    std::vector<double> raw, pane, ratio, sortMs, rawCpu, paneCpu, cpuRatio;
    std::size_t rawCount = 0, paneCount = 0;
    for (int r = 0; r < rounds; ++r) {
        auto t = Clock::now();
        double cpu = processorMs();
        rawCount = rawLoop(zip);
        raw.push_back(millisecondsSince(t));
        rawCpu.push_back(processorMs() - cpu);
        t = Clock::now();
        cpu = processorMs();
        paneCount = paneListing(zip, sortMs);
        pane.push_back(millisecondsSince(t));
        paneCpu.push_back(processorMs() - cpu);
        ratio.push_back(pane.back() / raw.back());
        cpuRatio.push_back(paneCpu.back() / std::max(rawCpu.back(), 1.0));
    }
    std::printf("%zu records, %zu entries listed\n", rawCount, paneCount);
    if (rawCount == 0 || paneCount == 0) return 1;
    printSpread("pane listing / FindFirst-FindNext loop", ratio);
    printSpread("  FindFirst-FindNext loop, ms", raw, "%.0f");
    printSpread("  pane listing (read, fold, sort), ms", pane, "%.0f");
    printSpread("  of which the sort, ms", sortMs, "%.0f");
    printSpread("processor time, pane listing / loop", cpuRatio);
    printSpread("  loop, processor ms", rawCpu, "%.0f");
    printSpread("  pane listing, processor ms", paneCpu, "%.0f");
    return 0;
}
