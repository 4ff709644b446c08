#pragma once
// Instance numbers 0 to 7, held by the named mutexes "Vorbin_0" to "Vorbin_7",
// and finding the window of another instance by its title.
#include <windows.h>

#include "base/win/handle.h"

constexpr int MaxInstances = 8;

struct InstanceClaim {
    int number = -1;
    UniqueHandle lock;
};

// The lowest free number, or -1 with no lock when all eight are taken.
InstanceClaim claimInstanceNumber();

// The first visible top-level window without owner whose title begins so.
HWND findTitledWindow(const char* prefix);
// That window of instance n: titled "[Vorbin:n]...".
HWND findInstanceWindow(int number);

bool anotherInstanceRunning(int ownNumber);
