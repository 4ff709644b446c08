#pragma once
// F1: the help page through whatever opens .html files, or in a window of
// Pelko's of its own when nothing does. "Nothing opens it" is what can be seen from here: the
// shell knows no program for the page, or the program it started ended with
// a failure within a few seconds (Wine's winebrowser ends with 1 when it
// finds no browser on the host).
#include <windows.h>

#include <string>

#include "base/win/handle.h"
#include "services/settings.h"

class HelpOpener {
public:
    explicit HelpOpener(const Settings& settings) : settings_(settings) {}

    void open(HWND owner);
    // On the window's timer: the started program's outcome, once known.
    void watch(HWND owner);

private:
    std::string page() const;
    void showInPelko(HWND owner) const;

    const Settings& settings_;
    UniqueHandle opener_;
    DWORD startedAt_ = 0;
};
