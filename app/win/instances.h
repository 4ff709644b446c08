#pragma once
// Instance numbers 0 to 7, held by the named mutexes "Vorbin_0" to "Vorbin_7".
#include <windows.h>

#include "base/win/handle.h"
#include "services/win/vorbin_window.h"

constexpr int MaxInstances = 8;

struct InstanceClaim {
    int number = -1;
    UniqueHandle lock;
};

// The lowest free number, or -1 with no lock when all eight are taken.
InstanceClaim claimInstanceNumber();

bool anotherInstanceRunning(int ownNumber);
