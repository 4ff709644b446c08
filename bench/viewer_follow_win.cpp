// Under Wine, with the real Pelko.exe: from a path written into the "PELKO"
// block (by Vorbin's own writer) to Pelko's first complete paint of that small
// text file, against the watcher's polling period of 100 ms.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/win/handle.h"
#include "bench/spread.h"
#include "services/win/view_request_block.h"
#include "services/win/vorbin_window.h"
#include "testing/win/screen_pixels.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr double WatcherPeriodMs = 100;

std::string titleOf(HWND window) {
    char text[600] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The first text row of the view as it is on the screen.
std::vector<uint32_t> firstRow(HWND view) {
    RECT client;
    GetClientRect(view, &client);
    return screenPixels(view, client.right, 14);
}

bool writeFile(const std::string& path, const std::string& text) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD done = 0;
    return file && WriteFile(file.get(), text.data(), DWORD(text.size()), &done, nullptr);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: viewer_follow_win <folder of Pelko.exe> <scratch folder> [requests]\n");
        return 1;
    }
    const std::string bin = argv[1], dir = argv[2];
    const int repeats = argc > 3 ? std::atoi(argv[3]) : 3;
    constexpr int Requests = 9;
    // Pelko runs from a folder of its own, so its place is kept there.
    CreateDirectoryA(dir.c_str(), nullptr);
    if (!CopyFileA((bin + "\\Pelko.exe").c_str(), (dir + "\\Pelko.exe").c_str(), FALSE)) return 1;
    const std::string files[2] = {dir + "\\first.txt", dir + "\\second.txt"};
    writeFile(files[0], "first file, first row\r\nmore\r\n");
    writeFile(files[1], "the second file shows another row\r\n");

    ViewRequestBlock block;
    block.write(0, "");
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    std::string command = "\"" + dir + "\\Pelko.exe\"";
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                        &si, &pi))
        return 1;
    UniqueHandle process(pi.hProcess), thread(pi.hThread);
    HWND pelko = nullptr;
    for (int i = 0; i < 200 && !(pelko = findTitledWindow("[Pelko]")); ++i) Sleep(50);
    if (!pelko) return 1;
    HWND view = GetDlgItem(pelko, 1002);

    // What each file looks like once drawn, taken after a generous wait.
    std::vector<uint32_t> look[2];
    for (int f = 0; f < 2; ++f) {
        block.write(1, files[f]);
        Sleep(1500);
        look[f] = firstRow(view);
    }
    // Each repeat is the median of nine requests, as a ratio to the period.
    std::vector<double> ratios, medians, all;
    for (int repeat = 0; repeat < repeats; ++repeat) {
        std::vector<double> ms;
        for (int r = 0; r < Requests; ++r) {
            const int f = r % 2;
            // Pauses of different lengths, so the writes fall at different
            // points of the watcher's cycle.
            Sleep(300 + 33 * (r % 3));
            const auto start = Clock::now();
            block.write(1, files[f]);
            while (!(titleOf(pelko) == "[Pelko] " + files[f] && firstRow(view) == look[f])) {
                if (Clock::now() - start > std::chrono::seconds(5)) break;
                Sleep(1);
            }
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        all.insert(all.end(), ms.begin(), ms.end());
        std::sort(ms.begin(), ms.end());
        medians.push_back(ms[ms.size() / 2]);
        ratios.push_back(ms[ms.size() / 2] / WatcherPeriodMs);
    }
    std::printf("block written to first complete paint by Pelko (%d repeats of %d requests)\n",
                repeats, Requests);
    printSpread("  every request, ms", all, "%.0f");
    printSpread("  median of a repeat, ms", medians, "%.0f");
    printSpread("  median in watcher periods (100 ms)", ratios);
    PostMessageA(pelko, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.get(), 10000);
    return 0;
}
