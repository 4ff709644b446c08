#pragma once
// The clipboard is one resource for every program on the desktop: another
// program, or the platform's own clipboard bridge, may hold it for a moment.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

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

// Puts a copy of the bytes on the open clipboard, which owns them after.
bool putOnClipboard(UINT format, const void* data, std::size_t size);

// The bytes of a format on the open clipboard, as long as its block; nothing
// when the format is absent or its block cannot be locked.
std::optional<std::string> clipboardBytes(UINT format);
