#pragma once
// The skeleton every dialog kept as an object shares: the object comes in as
// the creation parameter, lives in DWLP_USER and gets every later message.
// Derived has: void initialise(); INT_PTR handle(UINT, WPARAM, LPARAM); and
// names DialogObject its friend when those are private.
#include <windows.h>
#include <commctrl.h>

template <class Derived, BOOL FocusDefault = TRUE>
class DialogObject {
protected:
    // Opens the template modally; commonControls names the control classes
    // (ICC_*) the template needs registered first.
    INT_PTR runModal(HWND owner, int templateId, DWORD commonControls = 0) {
        if (commonControls) {
            INITCOMMONCONTROLSEX controls{sizeof controls, commonControls};
            InitCommonControlsEx(&controls);
        }
        return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                               procedure, reinterpret_cast<LPARAM>(static_cast<Derived*>(this)));
    }

    HWND item(int id) const { return GetDlgItem(hwnd_, id); }

    HWND hwnd_ = nullptr;

private:
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(hwnd, DWLP_USER, lp);
            auto* self = reinterpret_cast<Derived*>(lp);
            self->hwnd_ = hwnd;
            self->initialise();
            return FocusDefault;
        }
        auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrA(hwnd, DWLP_USER));
        return self ? self->handle(message, wp, lp) : FALSE;
    }
};
