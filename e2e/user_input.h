#pragma once
// Keys and clicks given to another program as a user gives them: through the
// system's input queue, keys to whichever control of the target holds the
// keyboard focus. Activation, focus and modal loops all take part, so a focus
// fault shows.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

struct Keystroke {
    int key = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// Brings window to the front unless its thread holds the front already and
// types the keystroke; returns once the target has taken the key and handled
// it (a modal loop the key opened included). False when the target could not
// be brought to the front: the key was not typed.
bool typeKey(HWND window, Keystroke stroke);
// Plain characters, each as the keyboard makes it (Shift where needed).
bool typeText(HWND window, const std::string& text);
// Overwrites the text of the one-line field that has the focus: Home,
// Shift+End, then the characters.
bool replaceText(HWND window, const std::string& text);
// A left click (two for a double click) at a point of window's client area,
// with Shift held when asked; returns once the target has handled it. False
// when window is no window.
bool clickAt(HWND window, POINT client, bool twice = false, bool shift = false);
// The left button (or the right one) held down on a point of window's
// client area and carried across the screen, as a user drags, with keys held
// from before the press until after the release (e.g. Ctrl, Alt); released
// by release() or when the drag goes.
class MouseDrag {
public:
    MouseDrag(HWND window, POINT client, bool rightButton = false, std::initializer_list<int> keys = {});
    ~MouseDrag();
    MouseDrag(const MouseDrag&) = delete;
    MouseDrag& operator=(const MouseDrag&) = delete;
    // False when window is no window: nothing was pressed.
    bool pressed() const { return pressed_; }
    // Carries the pointer to a screen point in a few steps.
    void moveTo(POINT screen);
    void release();

private:
    HWND window_;
    DWORD thread_;
    POINT at_{};
    bool pressed_ = false;
    bool joined_ = false;
    bool right_ = false;
    std::vector<int> keys_;
};
// A left click with keys held down (pressed in order, released the other
// way round), e.g. Alt and Shift.
bool clickHolding(HWND window, POINT client, std::initializer_list<int> keys);
// A right click at a point of window's client area.
bool rightClickAt(HWND window, POINT client);
// The control of window's thread that has the keyboard focus; nullptr when none.
HWND focusOf(HWND window);
// Makes window of this process the foreground window, as another program
// taking the front does, and handles what that sends it.
bool takeForeground(HWND window);
// Handles this thread's messages for a while, so windows of the test answer.
void pumpMessages(DWORD milliseconds);
