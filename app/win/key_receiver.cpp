#include "app/win/key_receiver.h"

#include <commctrl.h>

#include "services/messages.h"

namespace {
bool down(int key) { return (GetKeyState(key) & 0x8000) != 0; }
}  // namespace

void KeyReceiver::attach(HWND edit, std::function<bool(const KeyEvent&)> onKey) {
    hwnd_ = edit;
    onKey_ = std::move(onKey);
    SetWindowSubclass(edit, procedure, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK KeyReceiver::procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp, UINT_PTR,
                                        DWORD_PTR data) {
    auto* self = reinterpret_cast<KeyReceiver*>(data);
    switch (message) {
    case WM_GETDLGCODE:
        // Every key, Escape, Enter and Tab included, comes here and not to the dialog.
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        if (message == WM_KEYDOWN && wp == VK_CONTROL) return 0;
        KeyEvent event;
        event.key = wp == VK_ESCAPE ? static_cast<int>(EscapeKey) : static_cast<int>(wp);
        event.shift = down(VK_SHIFT);
        event.ctrl = down(VK_CONTROL);
        event.alt = message == WM_SYSKEYDOWN || down(VK_MENU);
        event.viaSysKey = message == WM_SYSKEYDOWN;
        bool taken = self->onKey_ && self->onKey_(event);
        // Unbound system keys keep their platform meaning (Alt+F4, Alt+Space).
        if (!taken && message == WM_SYSKEYDOWN) break;
        return 0;
    }
    case WM_CHAR:
    case WM_KEYUP:
        return 0;
    case 0x004D:  // WM_KEYF1, which the headers leave out
        // The key handler has opened the help for F1 already; passed on, this
        // would come back to the window as a second WM_HELP.
        return 0;
    }
    return DefSubclassProc(hwnd, message, wp, lp);
}
