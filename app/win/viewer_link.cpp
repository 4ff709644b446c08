#include "app/win/viewer_link.h"

#include <shellapi.h>

#include "app/win/instances.h"
#include "services/messages.h"

namespace {
constexpr char ViewerTitle[] = "[Pelko]";
constexpr char ViewerProgram[] = "Pelko.exe";
constexpr int ActivationTicks = 3;
}  // namespace

void ViewerLink::show(const std::string& path) {
    if (!linked()) return;
    if (notify_) {
        pending_ = path;
        hasPending_ = true;
        if (!posted_) posted_ = PostMessageA(notify_, MsgViewerPath, 0, 0) != FALSE;
        if (posted_) return;
        hasPending_ = false;  // a full queue: write now rather than never
    }
    block_.write(flag_, path);
}

void ViewerLink::writePending() {
    posted_ = false;
    if (!hasPending_) return;
    hasPending_ = false;
    block_.write(flag_, pending_);
}

bool ViewerLink::closeIfRunning() {
    if (!linked()) return false;
    HWND viewer = findTitledWindow(ViewerTitle);
    if (!viewer) return false;
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    return true;
}

bool ViewerLink::start(HWND owner, const std::string& directory) {
    if (!linked()) return false;
    const std::string program = settings_.ProgramDirectory() + ViewerProgram;
    // A missing viewer is no error worth a message: it simply shows nothing.
    HINSTANCE started = ShellExecuteA(owner, "open", program.c_str(), "",
                                      settings_.ProgramDirectory().c_str(), SW_SHOWMINIMIZED);
    if (reinterpret_cast<INT_PTR>(started) <= 32) return false;
    hasPending_ = false;  // the directory written now is newer
    block_.write(1, directory);
    return true;
}

void ViewerLink::awaitWindow() {
    for (int i = 0; i < 10 && !findTitledWindow(ViewerTitle); ++i) Sleep(100);
    activations_ = ActivationTicks;
}

bool ViewerLink::takeActivation() {
    if (activations_ <= 0) return false;
    --activations_;
    return true;
}

void ViewerLink::scroll(int dx, int dy) {
    HWND viewer = findTitledWindow(ViewerTitle);
    if (!viewer) return;
    auto post = [viewer](WPARAM key, int times) {
        for (int i = 0; i < times; ++i) {
            PostMessageA(viewer, WM_SYSKEYDOWN, key, 0x20000001);
            PostMessageA(viewer, WM_SYSKEYUP, key, 0xE0000001);
        }
    };
    if (dy > 0) post(VK_UP, dy);
    if (dy < 0) post(VK_DOWN, -dy);
    if (dx > 0) post(VK_RIGHT, dx);
    if (dx < 0) post(VK_LEFT, -dx);
}
