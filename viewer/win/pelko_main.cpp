// Pelko: shows the file under the cursor of Vorbin instance 0. One runs at a
// time; a second start ends at once and touches nothing. The settings are
// read and never written back whole: only "PelkoPos" is written, so a value
// Vorbin saved while Pelko ran survives.
#include <windows.h>

#include "base/win/handle.h"
#include "services/settings.h"
#include "services/table_files.h"
#include "services/win/ini_profile.h"
#include "services/win/program_directory.h"
#include "viewer/win/viewer_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (UniqueHandle running{OpenMutexA(SYNCHRONIZE, FALSE, "pelkoStart")}) return 0;
    UniqueHandle mark(CreateMutexA(nullptr, TRUE, "pelkoStart"));
    if (!mark || GetLastError() == ERROR_ALREADY_EXISTS) return 0;

    // The imaging component for pictures is COM.
    OleSession ole;
    IniProfile profile(programDirectory() + SettingsFile);
    Settings settings(profile, programDirectory());
    settings.Load();
    ViewerWindow window(settings);
    window.run(instance);
    return 0;
}
