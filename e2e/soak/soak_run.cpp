#include "e2e/soak/soak_run.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "e2e/user_input.h"
#include "e2e/vorbin_process.h"

int runSeconds(const char* variable, int fallback) {
    const char* text = std::getenv(variable);
    const int seconds = text ? std::atoi(text) : 0;
    return seconds > 0 ? seconds : fallback;
}

unsigned runSeed() {
    const char* text = std::getenv("VORBIN_SOAK_SEED");
    return text && *text ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : GetTickCount();
}

namespace {
struct DialogSearch {
    DWORD processId;
    HWND mainWindow;
    std::vector<HWND> found;
};

BOOL CALLBACK collectDialog(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<DialogSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->processId || hwnd == search->mainWindow || !IsWindowVisible(hwnd))
        return TRUE;
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") == 0) search->found.push_back(hwnd);
    return TRUE;
}
}  // namespace

std::vector<HWND> dialogsOf(DWORD processId, HWND mainWindow) {
    DialogSearch search{processId, mainWindow, {}};
    EnumWindows(collectDialog, reinterpret_cast<LPARAM>(&search));
    // A dialog that another one owns is in front of it: answer the enabled one first.
    std::vector<HWND> ordered;
    for (HWND d : search.found)
        if (IsWindowEnabled(d)) ordered.push_back(d);
    for (HWND d : search.found)
        if (!IsWindowEnabled(d)) ordered.push_back(d);
    return ordered;
}

int cancelDialogs(DWORD processId, HWND mainWindow, std::mt19937& random, bool typeFirst) {
    int closed = 0;
    for (int round = 0; round < 8; ++round) {
        std::vector<HWND> open = dialogsOf(processId, mainWindow);
        if (open.empty()) return closed;
        HWND dialog = open.front();
        if (typeFirst && random() % 2) {
            static const char letters[] = "abfs*.";
            std::string text;
            for (unsigned n = 1 + random() % 3; n; --n) text += letters[random() % (sizeof letters - 1)];
            typeText(dialog, text);
        }
        typeKey(dialog, Keystroke{VK_ESCAPE});
        if (!waitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 3000)) {
            // A dialog that keeps Escape for itself still has its Cancel button.
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            if (!waitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 3000)) {
                PostMessageA(dialog, WM_CLOSE, 0, 0);
                if (!waitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 3000))
                    return -1;
            }
        }
        ++closed;
    }
    return dialogsOf(processId, mainWindow).empty() ? closed : -1;
}

bool answers(HWND window, DWORD limitMs, DWORD& tookMs) {
    const DWORD start = GetTickCount();
    DWORD_PTR result = 0;
    const bool answered =
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, limitMs, &result) != 0;
    tookMs = GetTickCount() - start;
    return answered;
}

void reportFigures(const std::string& run, const std::string& line) {
    std::printf("[%s] %s\n", run.c_str(), line.c_str());
    std::fflush(stdout);
    if (const char* file = std::getenv("VORBIN_SOAK_FIGURES")) {
        if (FILE* out = std::fopen(file, "a")) {
            std::fprintf(out, "[%s] %s\n", run.c_str(), line.c_str());
            std::fclose(out);
        }
    }
}
