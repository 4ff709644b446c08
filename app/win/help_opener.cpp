#include "app/win/help_opener.h"

#include <shellapi.h>

namespace {
// Long enough for winebrowser to look through its list; a browser that runs
// longer has taken the page.
constexpr DWORD OutcomeWindowMs = 5000;
}  // namespace

std::string HelpOpener::page() const {
    return settings_.ProgramDirectory() + "help\\vorbin.html";
}

// The page as Pelko's page view shows it, in a window that does not follow
// the cursor.
void HelpOpener::showInPelko(HWND owner) const {
    const std::string program = settings_.ProgramDirectory() + "Pelko.exe";
    const std::string arguments = "\"" + page() + "\"";
    ShellExecuteA(owner, "open", program.c_str(), arguments.c_str(),
                  settings_.ProgramDirectory().c_str(), SW_SHOWNORMAL);
}

void HelpOpener::open(HWND owner) {
    const std::string path = page();
    opener_.reset();
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = "open";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info)) {
        // A missing page stays the shell's own failure; a page nobody opens
        // is what the viewer is for.
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            showInPelko(owner);
        return;
    }
    // Opened by DDE or by a program already running: nothing more to see.
    if (!info.hProcess) return;
    opener_.reset(info.hProcess);
    startedAt_ = GetTickCount();
}

void HelpOpener::watch(HWND owner) {
    if (!opener_) return;
    if (WaitForSingleObject(opener_.get(), 0) == WAIT_TIMEOUT) {
        if (GetTickCount() - startedAt_ > OutcomeWindowMs) opener_.reset();
        return;
    }
    DWORD code = 0;
    const bool failed = GetExitCodeProcess(opener_.get(), &code) && code != 0;
    opener_.reset();
    if (failed) showInPelko(owner);
}
