// Pelko: shows the file under the cursor of Vorbin instance 0. One runs at a
// time; a second start ends at once and touches nothing. The settings are
// read and never written back whole: only "PelkoPos" is written, so a value
// Vorbin saved while Pelko ran survives.
#include <windows.h>

#include <algorithm>
#include <string>

#include "base/win/handle.h"
#include "services/settings.h"
#include "services/table_files.h"
#include "services/win/ini_profile.h"
#include "services/win/program_directory.h"
#include "viewer/win/viewer_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // "Pelko.exe page": that page alone, beside any viewer that runs.
    std::string page = commandLine ? commandLine : "";
    page.erase(std::remove(page.begin(), page.end(), '"'), page.end());
    while (!page.empty() && page.back() == ' ') page.pop_back();
    UniqueHandle mark;
    if (page.empty()) {
        if (UniqueHandle running{OpenMutexA(SYNCHRONIZE, FALSE, "pelkoStart")}) return 0;
        mark.reset(CreateMutexA(nullptr, TRUE, "pelkoStart"));
        if (!mark || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    }

    // The imaging component for pictures is COM.
    OleSession ole;
    IniProfile profile(programDirectory() + SettingsFile);
    Settings settings(profile, programDirectory());
    settings.Load();
    ViewerWindow window = page.empty() ? ViewerWindow(settings) : ViewerWindow(settings, page);
    window.run(instance);
    return 0;
}
