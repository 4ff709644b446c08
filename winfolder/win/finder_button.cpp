#include "winfolder/win/finder_button.h"

#include <commctrl.h>
#include <windowsx.h>

#include "winfolder/win/tovek_ids.h"

FinderButton::~FinderButton() {
    if (button_) RemoveWindowSubclass(button_, procedure, 0);
}

void FinderButton::attach(HWND button, FinderListener& listener) {
    button_ = button;
    listener_ = &listener;
    SetWindowSubclass(button_, procedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK FinderButton::procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp, UINT_PTR,
                                         DWORD_PTR self) {
    auto* finder = reinterpret_cast<FinderButton*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, procedure, 0);
        finder->button_ = nullptr;
        return DefSubclassProc(hwnd, message, wp, lp);
    }
    return finder->handle(message, wp, lp);
}

LRESULT FinderButton::handle(UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // A second press soon after the first is a drag all the same. As a
        // press the button itself captures the mouse until the release.
        const LRESULT result = DefSubclassProc(button_, WM_LBUTTONDOWN, wp, lp);
        dragging_ = true;
        SetCursor(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_TOVEK_FINDER_CURSOR)));
        InvalidateRect(button_, nullptr, TRUE);
        listener_->onFinderPress();
        return result;
    }
    case WM_MOUSEMOVE:
        if (dragging_) {
            POINT screen{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            ClientToScreen(button_, &screen);
            listener_->onFinderMove(screen);
        }
        break;
    case WM_LBUTTONUP: {
        if (!dragging_) break;
        // Cleared first: giving up the capture below must not read as a cancel.
        dragging_ = false;
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        const LRESULT result = DefSubclassProc(button_, message, wp, lp);
        ReleaseCapture();
        InvalidateRect(button_, nullptr, TRUE);
        POINT screen{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(button_, &screen);
        listener_->onFinderRelease(screen);
        return result;
    }
    case WM_CAPTURECHANGED:
        // Another program took the mouse mid-drag: the drag ends without a lookup.
        if (dragging_) {
            dragging_ = false;
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
            InvalidateRect(button_, nullptr, TRUE);
        }
        break;
    }
    return DefSubclassProc(button_, message, wp, lp);
}
