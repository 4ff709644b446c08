// The link to the viewer against a stand-in viewer window.
#include "app/win/viewer_link.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/win/handle.h"
#include "services/messages.h"

namespace {

class NoProfile : public Profile {
public:
    std::string read(const std::string&, const std::string&) override { return ""; }
    void write(const std::string&, const std::string&, const std::string&) override {}
};

std::vector<UINT> seen;        // messages the stand-in viewer received
std::vector<WPARAM> keysDown;  // the keys of its WM_SYSKEYDOWN

LRESULT CALLBACK viewerProcedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_CLOSE || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) {
        seen.push_back(message);
        if (message == WM_SYSKEYDOWN) keysDown.push_back(wp);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wp, lp);
}

// A visible top-level window titled as the viewer titles itself.
OwnedWindow standInViewer() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = viewerProcedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ViewerStandIn";
    RegisterClassA(&wc);
    return OwnedWindow{CreateWindowExA(0, "ViewerStandIn", "[Pelko] stand-in", WS_POPUP | WS_VISIBLE,
                                       0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr)};
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

std::string blockText() {
    UniqueHandle mapping{OpenFileMappingA(FILE_MAP_READ, FALSE, "PELKO")};
    if (!mapping) return "(none)";
    MappedView view{MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0)};
    const auto* bytes = static_cast<const char*>(view.get());
    return std::to_string(int(bytes[0])) + ":" + std::string(bytes + 1);
}

}  // namespace

TEST(ViewerLink, OnlyTheFirstInstanceFillsTheBlockAndClosesTheViewer) {
    NoProfile profile;
    const std::string path = "C:\\\x95\x5c\\\x83\x5c";  // C:\表\ソ
    for (int instance : {1, 0}) {
        SCOPED_TRACE(instance);
        Settings settings(profile, "C:\\nowhere\\");
        settings.InstanceNumber = instance;
        ViewerLink link(settings);
        OwnedWindow viewer = standInViewer();
        ASSERT_TRUE(viewer);
        seen.clear();
        link.show(path);
        EXPECT_EQ(blockText(), instance == 0 ? "1:" + path : "(none)");
        EXPECT_EQ(link.closeIfRunning(), instance == 0);
        pump();
        EXPECT_EQ(seen, instance == 0 ? std::vector<UINT>{WM_CLOSE} : std::vector<UINT>{});
        viewer.reset();
        EXPECT_FALSE(link.closeIfRunning());  // no viewer: nothing to close
    }
}

TEST(ViewerLink, ScrollingSendsOneArrowPerStepAndActivationLastsThreeTicks) {
    NoProfile profile;
    Settings settings(profile, "C:\\nowhere\\");
    settings.InstanceNumber = 2;  // any instance scrolls
    ViewerLink link(settings);
    OwnedWindow viewer = standInViewer();
    ASSERT_TRUE(viewer);
    seen.clear();
    keysDown.clear();
    link.scroll(1, -2);
    link.scroll(-1, 1);
    pump();
    EXPECT_EQ(keysDown, (std::vector<WPARAM>{VK_DOWN, VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT}));
    EXPECT_EQ(seen.size(), 10u);  // each down has its up

    EXPECT_FALSE(link.takeActivation());
    link.awaitWindow();  // the window is there: no wait
    int ticks = 0;
    while (link.takeActivation()) ++ticks;
    EXPECT_EQ(ticks, 3);
}

namespace {
ViewerLink* deferred = nullptr;  // the link the owner stand-in writes for
int pathPosts = 0;

LRESULT CALLBACK ownerProcedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    if (message == MsgViewerPath) {
        ++pathPosts;
        if (deferred) deferred->writePending();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wp, lp);
}
}  // namespace

TEST(ViewerLink, AHeldKeyWritesTheBlockOncePerBurstWithTheNewestPath) {
    NoProfile profile;
    Settings settings(profile, "C:\\nowhere\\");
    settings.InstanceNumber = 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = ownerProcedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ViewerOwnerStandIn";
    RegisterClassA(&wc);
    OwnedWindow owner{CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr,
                                      nullptr, wc.hInstance, nullptr)};
    ASSERT_TRUE(owner);
    ViewerLink link(settings);
    deferred = &link;
    link.show("C:\\first");  // written at once: nothing to defer to yet
    ASSERT_EQ(blockText(), "1:C:\\first");
    link.deferWritesTo(owner.get());
    pathPosts = 0;
    for (const char* path : {"C:\\a", "C:\\b", "C:\\\x95\x5c"})  // the last one C:\表
        link.show(path);
    EXPECT_EQ(blockText(), "1:C:\\first");  // the keys queued before come first
    pump();
    EXPECT_EQ(pathPosts, 1);
    EXPECT_EQ(blockText(), "1:C:\\\x95\x5c");
    link.show("C:\\c");
    pump();
    EXPECT_EQ(pathPosts, 2);
    EXPECT_EQ(blockText(), "1:C:\\c");
    deferred = nullptr;
}
