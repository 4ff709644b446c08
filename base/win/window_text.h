#pragma once
// The text of a window of this process (an edit, a combo box, a caption).
#include <windows.h>

#include <string>

inline std::string windowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}
