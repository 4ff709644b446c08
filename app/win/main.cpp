#include <windows.h>

#include "app/win/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return runApplication(instance);
}
