#pragma once
// Finding a program of the suite by the title of its window: every program
// that hands a path to Vorbin looks for it this way.
#include <windows.h>

// The first visible top-level window without owner whose title begins so.
HWND findTitledWindow(const char* prefix);
// That window of instance n: titled "[Vorbin:n]...".
HWND findInstanceWindow(int number);
