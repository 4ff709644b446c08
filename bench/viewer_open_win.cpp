// Under Wine, in a real view control: the time from opening a text file to
// its first complete paint, a 1 GB file against a 100 KB one (only the first
// chunk of either is read), with the memory the 1 GB file costs.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/win/handle.h"
#include "bench/spread.h"
#include "viewer/win/view_pane.h"

namespace {
using Clock = std::chrono::steady_clock;

bool writeLines(HANDLE file, std::size_t bytes) {
    std::string block;
    for (int i = 0; block.size() < (1 << 20); ++i)
        block += "line " + std::to_string(i) + " of the benchmark text, long enough to fill a row\r\n";
    for (std::size_t written = 0; written < bytes;) {
        const DWORD n = static_cast<DWORD>(std::min<std::size_t>(block.size(), bytes - written));
        DWORD done = 0;
        if (!WriteFile(file, block.data(), n, &done, nullptr) || done != n) return false;
        written += n;
    }
    return true;
}

// A text file of size bytes: real lines for the first 4 MB, the rest left to
// the file system (sparse on the host), so making it is quick.
bool makeText(const std::string& path, long long size) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    if (!writeLines(file.get(), static_cast<std::size_t>(std::min<long long>(size, 4 << 20))))
        return false;
    LARGE_INTEGER end;
    end.QuadPart = size;
    return SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.get());
}

double openAndPaint(HWND child, const std::string& path) {
    const auto start = Clock::now();
    ViewPane::of(child)->open(path);
    UpdateWindow(child);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Wine reports no private usage; the working set is what the process holds
// in memory, font caches and the program included.
SIZE_T committedBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

// Whether the first text row of the view shows anything, so a figure is
// never taken from a paint that drew nothing.
bool firstRowDrawn(HWND child) {
    HDC dc = GetDC(child);
    int ink = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 14; ++y) ink += (GetPixel(dc, x, y) & 0xFFFFFF) != 0;
    ReleaseDC(child, dc);
    return ink > 0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::string small = dir + "\\small.txt", huge = dir + "\\huge.txt";
    if (!makeText(small, 100 * 1024) || !makeText(huge, 1LL << 30)) {
        std::printf("cannot make the files in %s\n", dir.c_str());
        return 1;
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ViewPane::registerClass(instance);
    HWND top = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 820,
                               640, nullptr, nullptr, instance, nullptr);
    HWND child = CreateWindowExA(0, ViewPane::className(), "", WS_CHILD | WS_VISIBLE, 0, 0, 800,
                                 600, top, nullptr, instance, nullptr);
    // Warm the file cache and the font once for each.
    openAndPaint(child, small);
    openAndPaint(child, huge);
    openAndPaint(child, small);
    const SIZE_T before = committedBytes();
    // Each repeat pairs nine openings of either file; its figure is the ratio
    // of the two medians, so a single slow paint on a busy machine does not
    // decide it.
    std::vector<double> ratios, smallMs, hugeMs, memory;
    for (int r = 0; r < rounds; ++r) {
        std::vector<double> s, h;
        for (int i = 0; i < 9; ++i) {
            s.push_back(openAndPaint(child, small));
            h.push_back(openAndPaint(child, huge));
            memory.push_back(double(committedBytes()) / (1 << 20));
        }
        smallMs.push_back(median(s));
        hugeMs.push_back(median(h));
        ratios.push_back(median(h) / median(s));
    }
    std::printf("first page of a text file, 800x600 view (%d repeats of 9 pairs)\n", rounds);
    openAndPaint(child, huge);
    std::printf("  first row of the 1 GB file drawn: %s\n", firstRowDrawn(child) ? "yes" : "NO");
    printSpread("  100 KB file, median ms", smallMs);
    printSpread("  1 GB file, median ms", hugeMs);
    printSpread("  1 GB / 100 KB", ratios);
    printSpread("  working set with either file shown, MB", memory, "%.1f");
    std::printf("  working set before the repeats: %.1f MB (Wine itself, fonts included); "
                "growth while the files were shown: %.1f MB\n",
                double(before) / (1 << 20), spreadOf(memory).max - double(before) / (1 << 20));
    DestroyWindow(top);
    DeleteFileA(huge.c_str());
    DeleteFileA(small.c_str());
    return 0;
}
