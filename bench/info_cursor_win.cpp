// Under Wine, in the real program on a listing of 100,000 entries: the cursor
// key held for 2,000 moves with the info strip shown against hidden, paired
// in every round. A key held down reaches the program as a queue of repeated
// key-downs; each batch ends with the strip's own key (I), whose show or hide
// marks the moment every move before it has been handled.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/win/handle.h"
#include "bench/spread.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr int Moves = 2000;

std::string tempDirectory() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    std::string dir = std::string(base) + "vbinfo" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\";
}

bool copyProgram(const std::string& from, const std::string& to) {
    for (const char* name : {"Vorbin.exe", "Color.tbl", "Command.TBL", "MESSAGE.tbl"})
        if (!CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE)) return false;
    return true;
}

// The copied program and what it wrote beside itself; folders it made stay.
void removeFlat(const std::string& dir) {
    WIN32_FIND_DATAA data;
    FindHandle find{FindFirstFileA((dir + "*").c_str(), &data)};
    if (find) do
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((dir + data.cFileName).c_str());
        while (FindNextFileA(find.get(), &data));
    RemoveDirectoryA(dir.c_str());
}

struct FindTitle {
    const char* prefix;
    HWND found = nullptr;
};

BOOL CALLBACK findTitled(HWND hwnd, LPARAM lp) {
    auto* f = reinterpret_cast<FindTitle*>(lp);
    char title[512] = "";
    GetWindowTextA(hwnd, title, sizeof title);
    if (IsWindowVisible(hwnd) && std::string(title).rfind(f->prefix, 0) == 0) {
        f->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

template <class Pred>
bool waitFor(Pred pred, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - start > ms) return false;
        Sleep(1);
    }
    return true;
}

// Posts the held key's repeats and the strip's key; answers the time until
// the strip has turned to wantVisible.
double batch(HWND receiver, HWND strip, int key, bool wantVisible) {
    const auto start = Clock::now();
    for (int i = 0; i < Moves; ++i)
        PostMessageA(receiver, WM_KEYDOWN, key, 0x40000001 | (MapVirtualKeyA(key, 0) << 16));
    PostMessageA(receiver, WM_KEYUP, key, 0xC0000001);
    PostMessageA(receiver, WM_KEYDOWN, 'I', 1);
    PostMessageA(receiver, WM_KEYUP, 'I', 0xC0000001);
    if (!waitFor([&] { return (IsWindowVisible(strip) != FALSE) == wantVisible; }, 600000)) return -1;
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: info_cursor_win PROGRAM_DIR\\ LISTING_DIR [ROUNDS]\n");
        return 2;
    }
    const std::string from = argv[1];
    const std::string listing = argv[2];
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
    const std::string program = tempDirectory();
    if (!copyProgram(from, program)) {
        std::fprintf(stderr, "cannot copy the program from %s\n", from.c_str());
        return 1;
    }
    const std::string ini = program + "Vorbin.ini";
    WritePrivateProfileStringA("PATH", "LastPath", listing.c_str(), ini.c_str());
    WritePrivateProfileStringA("WINDOW", "InfoWindow", "0", ini.c_str());

    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string command = "\"" + program + "Vorbin.exe\"";
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, program.c_str(),
                        &si, &pi)) {
        std::fprintf(stderr, "cannot start Vorbin\n");
        return 1;
    }
    UniqueHandle process(pi.hProcess), thread(pi.hThread);
    FindTitle main{"[Vorbin:0]"};
    waitFor([&] {
        EnumWindows(findTitled, reinterpret_cast<LPARAM>(&main));
        return main.found != nullptr;
    }, 120000);
    HWND receiver = main.found ? GetDlgItem(main.found, 1026) : nullptr;
    HWND strip = main.found ? FindWindowExA(main.found, nullptr, "#32770", "File Info") : nullptr;
    if (!receiver || !strip) {
        std::fprintf(stderr, "no Vorbin window with its strip\n");
        TerminateProcess(process.get(), 1);
        return 1;
    }
    std::vector<double> ratios, hiddenPerMove, shownPerMove;
    bool down = true;
    for (int r = 0; r < rounds + 1; ++r) {
        // Hidden first, then shown, over the same stretch of the listing.
        const double hidden = batch(receiver, strip, down ? VK_DOWN : VK_UP, true);
        const double shown = batch(receiver, strip, down ? VK_UP : VK_DOWN, false);
        if (hidden < 0 || shown < 0) {
            std::fprintf(stderr, "the strip did not turn\n");
            break;
        }
        if (r == 0) continue;  // warm-up
        hiddenPerMove.push_back(hidden * 1000 / Moves);
        shownPerMove.push_back(shown * 1000 / Moves);
        ratios.push_back(shown / hidden);
    }
    std::printf("cursor key held for %d moves, 100,000-entry listing\n", Moves);
    printSpread("  strip hidden, us per move", hiddenPerMove, "%.0f");
    printSpread("  strip shown,  us per move", shownPerMove, "%.0f");
    printSpread("  ratio shown / hidden", ratios);
    PostMessageA(main.found, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.get(), 30000);
    removeFlat(program);
    return ratios.empty() ? 1 : 0;
}
