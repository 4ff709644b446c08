#pragma once
// What a process holds of the system, counted from outside it. Under Wine the
// usual calls answer nothing (GetGuiResources is a stub, GetProcessHandleCount
// gives 0), so each count comes from where Wine really keeps the objects.
#include <windows.h>

#include <string>

struct ResourceCounts {
    int handles = -1;  // kernel handles: the system handle list, entries of the process
    int gdi = -1;      // GDI objects: live entries of the process's GDI handle table
    int windows = -1;  // USER windows: top-level, child and message-only windows of the process
    bool complete() const { return handles >= 0 && gdi >= 0 && windows >= 0; }
};

ResourceCounts countResources(HANDLE process, DWORD processId);
std::string describe(const ResourceCounts& counts);
