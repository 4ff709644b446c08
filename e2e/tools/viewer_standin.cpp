// A stand-in for the viewer in the end-to-end tests: a window titled as the
// viewer's that takes the foreground as soon as it shows and ends on WM_CLOSE.
#include <windows.h>

namespace {
LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wp, lp);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = procedure;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "ViewerStandIn";
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&cls);
    HWND window = CreateWindowExA(0, cls.lpszClassName, "[Pelko] stand-in", WS_OVERLAPPEDWINDOW,
                                  900, 700, 300, 200, nullptr, nullptr, cls.hInstance, nullptr);
    if (!window) return 1;
    // Started minimised by the caller; the real viewer shows itself anyway.
    ShowWindow(window, SW_SHOWNORMAL);
    ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
