#pragma once
// Drives a modal dialog the way a user would: the test thread opens it for
// real while a second thread finds it, sets its controls and presses a
// button. The second thread only records what it sees; the test thread checks.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace dialog_test {

inline std::string textOf(HWND hwnd) {
    int length = static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    int got = static_cast<int>(
        SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<std::size_t>(got));
    return text;
}

inline std::string itemText(HWND dialog, int id) { return textOf(GetDlgItem(dialog, id)); }

inline void setItemText(HWND dialog, int id, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

inline bool isChecked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

inline bool isEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)); }

// A click that returns when the dialog has handled it.
inline void click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// A click that may end the dialog: posted so that this thread never waits on
// a window that is going away.
inline void press(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// A visible dialog of one thread other than besides, with this caption when
// one is given (a message box a dialog raised has the class of a dialog too).
inline HWND waitForDialogBesides(DWORD thread, HWND besides, const std::string* caption) {
    struct Search {
        HWND besides;
        const std::string* caption;
        HWND found;
    } search{besides, caption, nullptr};
    for (int i = 0; i < 500 && !search.found; ++i) {
        EnumThreadWindows(
            thread,
            [](HWND hwnd, LPARAM lp) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lp);
                char name[16] = "";
                GetClassNameA(hwnd, name, sizeof name);
                if (hwnd == s->besides || std::string(name) != "#32770" || !IsWindowVisible(hwnd))
                    return TRUE;
                if (s->caption && textOf(hwnd) != *s->caption) return TRUE;
                s->found = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(10);
    }
    return search.found;
}

// The visible dialog with this caption among the windows of one thread.
inline HWND waitForDialog(DWORD thread, const std::string& caption) {
    return waitForDialogBesides(thread, nullptr, &caption);
}

// Runs open() on this thread while steps(dialog) runs on another thread
// against the dialog captioned caption. Answers whether the dialog was found.
// A dialog the steps left open is cancelled so the test cannot hang.
template <class Open>
bool drive(const std::string& caption, Open&& open, const std::function<void(HWND)>& steps) {
    DWORD self = GetCurrentThreadId();
    bool found = false;
    std::thread driver([&] {
        HWND dialog = waitForDialog(self, caption);
        if (!dialog) return;
        found = true;
        steps(dialog);
        for (int i = 0; i < 300 && IsWindow(dialog); ++i) Sleep(10);
        if (IsWindow(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    open();
    driver.join();
    return found;
}

// Real key strokes through the input queue, for the window with the focus.
inline void sendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

inline void tap(WORD vk) {
    sendKey(vk, false);
    sendKey(vk, true);
}

// Keys go to the foreground window's focus, which a dialog gives its first field.
inline void activate(HWND dialog) {
    SetForegroundWindow(dialog);
    Sleep(50);
}

// Polls for up to two seconds.
template <class Condition>
bool waitFor(Condition condition) {
    for (int i = 0; i < 200; ++i) {
        if (condition()) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace dialog_test
