#include "base/win/clipboard.h"

#include <cstring>

#include "base/win/handle.h"

bool openClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(25);
    }
    return false;
}

bool putOnClipboard(UINT format, const void* data, std::size_t size) {
    GlobalMemory memory{GlobalAlloc(GMEM_MOVEABLE, size)};
    if (!memory) return false;
    {
        GlobalLockGuard<> bytes(memory.get());
        if (!bytes) return false;
        std::memcpy(bytes.get(), data, size);
    }
    if (!SetClipboardData(format, memory.get())) return false;
    (void)memory.release();  // the clipboard's now
    return true;
}

std::optional<std::string> clipboardBytes(UINT format) {
    GlobalLockGuard<const char> bytes(GetClipboardData(format));
    if (!bytes) return std::nullopt;
    return std::string(bytes.get(), bytes.size());
}
