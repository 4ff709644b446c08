// Tovek: finds the program behind any window, or the file behind a library
// name, and shows its folder in Vorbin or the explorer.
#include <windows.h>

#include "winfolder/win/tovek_dialog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    TovekDialog dialog;
    dialog.run();
    return 0;
}
