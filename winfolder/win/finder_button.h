#pragma once
// The finder: a button the user presses and drags onto any window on the
// desktop. The button keeps the mouse captured while it is held; the
// listener hears the press, each move (screen coordinates) and the release.
#include <windows.h>

class FinderListener {
public:
    virtual void onFinderPress() = 0;
    virtual void onFinderMove(POINT screen) = 0;
    virtual void onFinderRelease(POINT screen) = 0;

protected:
    ~FinderListener() = default;
};

class FinderButton {
public:
    FinderButton() = default;
    ~FinderButton();
    FinderButton(const FinderButton&) = delete;
    FinderButton& operator=(const FinderButton&) = delete;

    void attach(HWND button, FinderListener& listener);
    bool dragging() const { return dragging_; }

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT handle(UINT message, WPARAM wp, LPARAM lp);

    HWND button_ = nullptr;
    FinderListener* listener_ = nullptr;
    bool dragging_ = false;
};
