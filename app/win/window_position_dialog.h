#pragma once
// The WINDOW Position dialog (resource 160): the arrangement slots "POS00"
// to "POS08" of section "WINDOW_POS", filled from the current places.
#include <windows.h>

#include <string>

#include "services/settings.h"

struct CurrentPlaces {
    bool infoShown = false;
    std::string main;    // rectangle text of the main window
    std::string viewer;  // of the viewer's window, "" when it does not run
};

void runWindowPositionDialog(HWND owner, Settings& settings, const CurrentPlaces& now);
