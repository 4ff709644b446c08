// Under Wine, in a real view control: the time from opening a text file to
// its first complete paint, a 1 GB file against a 100 KB one (only the first
// chunk of either is read), with the memory the 1 GB file costs.
#include <windows.h>
#include <psapi.h>

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

SIZE_T privateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    return counters.PrivateUsage;
}
}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
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
    const SIZE_T before = privateBytes();
    std::vector<double> ratios, smallMs, hugeMs, memory;
    for (int r = 0; r < rounds; ++r) {
        const double s = openAndPaint(child, small);
        const double h = openAndPaint(child, huge);
        memory.push_back(double(privateBytes()) / (1 << 20));
        smallMs.push_back(s);
        hugeMs.push_back(h);
        ratios.push_back(h / s);
    }
    std::printf("first page of a text file, 800x600 view (%d rounds)\n", rounds);
    printSpread("  100 KB file, ms", smallMs);
    printSpread("  1 GB file, ms", hugeMs);
    printSpread("  1 GB / 100 KB", ratios);
    printSpread("  private memory with the 1 GB file shown, MB", memory, "%.1f");
    std::printf("  private memory before the rounds: %.1f MB\n", double(before) / (1 << 20));
    DestroyWindow(top);
    DeleteFileA(huge.c_str());
    DeleteFileA(small.c_str());
    return 0;
}
