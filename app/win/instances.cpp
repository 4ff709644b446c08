#include "app/win/instances.h"

#include <cstdio>
#include <cstring>

InstanceClaim claimInstanceNumber() {
    for (int n = 0; n < MaxInstances; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "Vorbin_%d", n);
        if (UniqueHandle taken{OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name)}) continue;
        UniqueHandle mine{CreateMutexA(nullptr, TRUE, name)};
        // Someone may have created it between our open and create.
        if (mine && GetLastError() != ERROR_ALREADY_EXISTS) return {n, std::move(mine)};
    }
    return {};
}

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

bool anotherInstanceRunning(int ownNumber) {
    for (int n = 0; n < MaxInstances; ++n)
        if (n != ownNumber && findInstanceWindow(n)) return true;
    return false;
}
