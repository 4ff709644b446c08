#include "app/win/key_receiver.h"

#include "services/messages.h"

void KeyReceiver::attach(HWND edit, std::function<bool(const KeyEvent&)> onKey) {
    hwnd_ = edit;
    onKey_ = std::move(onKey);
    // A plain subclass with the receiver in the window's user data: the
    // common controls' subclassing looks its data up as a window property,
    // which under Wine is a trip to the server, several times per key.
    SetWindowLongPtrA(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

KeyReceiver::~KeyReceiver() {
    if (hwnd_ && original_ && IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    }
}

LRESULT CALLBACK KeyReceiver::procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<KeyReceiver*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wp, lp);
    switch (message) {
    case WM_GETDLGCODE:
        // Every key, Escape, Enter and Tab included, comes here and not to the dialog.
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        if (message == WM_KEYDOWN && wp == VK_CONTROL) return 0;
        // One look at the whole key state: under Wine each GetKeyState is a
        // trip to the server, and a held key pays it at every repeat.
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        auto down = [&keys](int key) { return (keys[key] & 0x80) != 0; };
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
    case WM_NCDESTROY: {
        // The edit goes before the receiver object: the original procedure back first.
        WNDPROC original = self->original_;
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return CallWindowProcA(original, hwnd, message, wp, lp);
    }
    }
    return CallWindowProcA(self->original_, hwnd, message, wp, lp);
}
