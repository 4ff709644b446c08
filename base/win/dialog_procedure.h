#pragma once
// The dialog procedure of a dialog kept as an object: the object comes in as
// the creation parameter, lives in DWLP_USER, and gets every later message.
// Owner must have: HWND hwnd_; void initialise(); INT_PTR handle(UINT, WPARAM, LPARAM).
#include <windows.h>

template <class Owner, BOOL FocusDefault = TRUE>
INT_PTR CALLBACK dialogProcedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(hwnd, DWLP_USER, lp);
        auto* self = reinterpret_cast<Owner*>(lp);
        self->hwnd_ = hwnd;
        self->initialise();
        return FocusDefault;
    }
    auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    return self ? self->handle(message, wp, lp) : FALSE;
}
