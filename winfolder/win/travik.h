#pragma once
// The one function of travik.dll, imported by its ordinal 101.
#include <windows.h>

// The program path of the process owning hwnd, copied with its NUL into
// buffer: 1, or 0 when it does not fit or the hook cannot be set. After five
// seconds without an answer: 1 with an empty path.
extern "C" int __cdecl GetModulePathFromHwnd(HWND hwnd, char* buffer, unsigned int size);
