#pragma once
// The clipboard is one resource for every program on the desktop: another
// program, or the platform's own clipboard bridge, may hold it for a moment.
#include <windows.h>

// Opens the clipboard, waiting up to half a second for another holder.
bool openClipboardPatiently(HWND owner);

// Closes the clipboard when it goes.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) : open_(openClipboardPatiently(owner)) {}
    ~ClipboardSession() {
        if (open_) CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};
