#pragma once
// Where a window was, kept in the settings file.
#include <windows.h>

#include <string>

#include "services/settings.h"

// Writes the window's screen rectangle under section and key, unless it is
// minimised or its right or bottom edge is off the top-left of the screen
// (the earlier value then stays).
void saveWindowRect(HWND window, Settings& settings, const std::string& section,
                    const std::string& key);

// Moves the window to the rectangle stored under section and key (the rules
// of restoredPlace); false when nothing is stored.
bool restoreWindowRect(HWND window, Settings& settings, const std::string& section,
                       const std::string& key);
