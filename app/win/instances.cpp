#include "app/win/instances.h"

#include <cstdio>

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

bool anotherInstanceRunning(int ownNumber) {
    for (int n = 0; n < MaxInstances; ++n)
        if (n != ownNumber && findInstanceWindow(n)) return true;
    return false;
}
