#pragma once
// Drives real Vorbin processes in a fresh program directory of their own.
#include <windows.h>

#include <string>

#include <initializer_list>

#include "base/win/handle.h"
#include "commands/key_map.h"
#include "testing/win/scratch_directory.h"
#include "e2e/user_input.h"

// A program directory holding Vorbin.exe, Lintor.exe, Tovek.exe, travik.dll, Quorvane.exe
// and the shipped tables, copied from the folder of the running test program.
class ProgramDirectory {
public:
    ProgramDirectory();
    std::string path() const { return dir_.path() + "\\"; }
    std::string operator/(const std::string& name) const { return dir_ / name; }
    const ScratchDirectory& scratch() const { return dir_; }

private:
    ScratchDirectory dir_{"vbe2e"};
};

// KEY.TBL of the built-in map with the given bindings on top.
bool writeKeyTable(const ProgramDirectory& program, std::initializer_list<KeyBinding> extra);
// The folder the next instance opens at.
void setLastPath(const ProgramDirectory& program, const std::string& path);

class VorbinProcess {
public:
    explicit VorbinProcess(const ProgramDirectory& directory);
    ~VorbinProcess();  // ends the process if it still runs
    VorbinProcess(const VorbinProcess&) = delete;
    VorbinProcess& operator=(const VorbinProcess&) = delete;

    bool started() const { return static_cast<bool>(process_); }
    // The main window of this process once it shows, or nullptr after timeoutMs
    // (then what the process shows instead is printed, for the log).
    // A start under Wine beside a busy build took more than 20 s now and then.
    HWND waitForWindow(DWORD timeoutMs = 60000);
    // Whether the process ended, and each of its top windows with any text.
    std::string describeWindows() const;
    std::string title() const;
    HWND window() const { return window_; }
    HANDLE handle() const { return process_.get(); }
    DWORD processId() const { return processId_; }
    // Types a key into the program as a user does (see user_input.h); a key
    // that could not be typed fails the running test.
    bool key(int virtualKey) const { return key(Keystroke{virtualKey}); }
    bool key(Keystroke stroke) const;
    // Posts WM_CLOSE and waits for the process to end.
    bool close(DWORD timeoutMs = 20000);
    bool waitForExit(DWORD timeoutMs);

private:
    UniqueHandle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

std::string windowTitle(HWND hwnd);
// Hands a path over as another program would (WM_COPYDATA); a file path
// puts the cursor on the file.
void handOver(const VorbinProcess& vorbin, const std::string& path);
// The path instance 0 last wrote into the viewer block "PELKO"; "" when none.
std::string viewedPath();
// Walks the cursor down, then up, until the viewer block shows path.
bool moveCursorTo(const VorbinProcess& vorbin, const std::string& path);
std::string clipboardText();
// A dialog of the program once it shows, found by its caption; nullptr after
// the timeout, by default 15 s, the time a busy machine can take to show one.
HWND waitForDialog(const char* caption, DWORD timeoutMs = 15000);
// Answers the next confirmation the shell shows (in any process) with button;
// false when none showed within the time.
bool answerShellConfirmation(int button, DWORD timeoutMs = 5000);
// Presses a button of a dialog as a click would, without waiting for it.
void pressButton(HWND dialog, int id);
// Runs the key bound to the marked-list command and ticks only "&Filename",
// so the clipboard gets the marked names, one per line.
bool copyMarkedNames(const VorbinProcess& vorbin, int boundKey);
// Polls until pred() holds or the time is up.
template <class Pred>
bool waitUntil(Pred pred, DWORD timeoutMs = 10000) {
    DWORD start = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(50);
    }
    return true;
}
