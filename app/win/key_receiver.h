#pragma once
// The zero-size edit control (1026) that keeps the keyboard focus and hands
// every key-down to the main window, Escape changed into key 25 so that it
// never closes the dialog.
#include <windows.h>

#include <functional>

#include "commands/dispatch.h"

class KeyReceiver {
public:
    KeyReceiver() = default;
    ~KeyReceiver();
    KeyReceiver(const KeyReceiver&) = delete;
    KeyReceiver& operator=(const KeyReceiver&) = delete;
    // onKey answers whether the key was taken.
    void attach(HWND edit, std::function<bool(const KeyEvent&)> onKey);
    HWND hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
    std::function<bool(const KeyEvent&)> onKey_;
};
