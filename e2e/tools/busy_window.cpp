// A window of another program for the window-folder tests: shows a window
// titled by its argument, and stops answering for the milliseconds a posted
// WM_APP names, as a busy program does.
#include <windows.h>

namespace {
LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_APP:
        Sleep(static_cast<DWORD>(wp));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wp, lp);
}
}  // namespace

int main(int argc, char** argv) {
    WNDCLASSA type{};
    type.lpfnWndProc = procedure;
    type.hInstance = GetModuleHandleA(nullptr);
    type.hCursor = LoadCursor(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    type.lpszClassName = "BusyWindow";
    RegisterClassA(&type);
    const char* title = argc > 1 ? argv[1] : "busy window";
    HWND window = CreateWindowExA(0, "BusyWindow", title, WS_OVERLAPPEDWINDOW, 700, 500, 300, 200,
                                  nullptr, nullptr, type.hInstance, nullptr);
    CreateWindowExA(0, "BUTTON", "child", WS_CHILD | WS_VISIBLE, 10, 10, 100, 30, window, nullptr,
                    type.hInstance, nullptr);
    // Shown whole: whoever finds the window finds its child too.
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
