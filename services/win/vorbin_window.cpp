#include "services/win/vorbin_window.h"

#include <cstdio>
#include <cstring>

namespace {
struct TitleSearch {
    const char* prefix;
    HWND found;
};

BOOL CALLBACK matchTitle(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<TitleSearch*>(lp);
    if (!IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER)) return TRUE;
    char title[300];
    GetWindowTextA(hwnd, title, sizeof title);
    if (std::strncmp(title, search->prefix, std::strlen(search->prefix)) != 0) return TRUE;
    search->found = hwnd;
    return FALSE;
}
}  // namespace

HWND findTitledWindow(const char* prefix) {
    TitleSearch search{prefix, nullptr};
    EnumWindows(matchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findInstanceWindow(int number) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "[Vorbin:%d]", number);
    return findTitledWindow(prefix);
}
