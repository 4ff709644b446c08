// Quorvane: finds files by name below a folder and hands the chosen one to
// the Vorbin that started it. Vorbin starts it with no arguments while its own
// window is in front, so that window names the caller and the folder.
#include <windows.h>

#include <objbase.h>

#include "base/win/window_text.h"
#include "filesearch/caller_title.h"
#include "filesearch/win/search_dialog.h"
#include "services/win/program_directory.h"
#include "services/win/vorbin_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the folder chooser needs it
    auto caller = parseCallerTitle(windowText(GetForegroundWindow()));
    if (!caller) caller = parseCallerTitle(windowText(findInstanceWindow(0)));
    SearchDialog dialog(caller.value_or(CallerWindow{}), programDirectory());
    dialog.run();
    CoUninitialize();
    return 0;
}
