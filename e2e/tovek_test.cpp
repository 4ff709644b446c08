// Tovek driven by a user's mouse: the finder dragged over windows shows their
// titles in the caption and, on release, their program's path; "&Check"
// finds a library's file; "&JumpPath" sends the path to Vorbin 0 alone.
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/child_process.h"
#include "e2e/vorbin_process.h"
#include "services/win/program_directory.h"
#include "testing/win/dialog_test_driver.h"
#include "winfolder/tovek_texts.h"
#include "winfolder/win/tovek_ids.h"

namespace {
using dialog_test::itemText;

RECT screenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

POINT centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

POINT clientCentre(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return centre(r);
}

// A point of the screen where the pointer meets window itself (or, for a
// top-level window, one of its own children); {-1, -1} when it is covered.
POINT uncoveredPoint(HWND window) {
    const RECT r = screenRect(window);
    const bool topLevel = GetAncestor(window, GA_ROOT) == window;
    for (int y = 1; y < 8; ++y) {
        for (int x = 1; x < 8; ++x) {
            POINT p{r.left + (r.right - r.left) * x / 8, r.top + (r.bottom - r.top) * y / 8};
            HWND hit = WindowFromPoint(p);
            if (hit == window || (topLevel && hit && GetAncestor(hit, GA_ROOT) == window)) return p;
        }
    }
    return {-1, -1};
}

bool bringToFront(HWND window) {
    return waitUntil(
        [&] {
            SetForegroundWindow(window);
            return GetForegroundWindow() == window;
        },
        5000);
}

std::string withoutSeparator(std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

bool sameText(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }
}  // namespace

TEST(Tovek, FinderCheckAndJumpAsAUserDrivesThem) {
    ProgramDirectory program;
    ScratchDirectory elsewhere{"vbtovek"};
    setLastPath(program, elsewhere.path());
    const std::string busyExe = program / "busy_window.exe";
    ASSERT_TRUE(CopyFileA((programDirectory() + "busy_window.exe").c_str(), busyExe.c_str(), FALSE));
    VorbinProcess zero(program);
    ASSERT_TRUE(zero.waitForWindow());
    ASSERT_TRUE(waitUntil([&] { return zero.title().ends_with(") " + elsewhere.path()); }, 5000))
        << zero.title();
    VorbinProcess one(program);
    ASSERT_TRUE(one.waitForWindow());
    ASSERT_EQ(one.title().rfind("[Vorbin:1]", 0), 0u) << one.title();
    const std::string oneTitle = one.title();
    ChildProcess untitled(busyExe, "\"\"", program.path());
    ChildProcess tovekProcess(program / "Tovek.exe", "", program.path());
    HWND tovek = tovekProcess.waitForWindow("Tovek");
    ASSERT_TRUE(tovek);
    HWND busyChild = nullptr;
    ASSERT_TRUE(waitUntil(
        [&] {
            HWND busy = FindWindowA("BusyWindow", "");
            return busy && (busyChild = GetWindow(busy, GW_CHILD)) != nullptr;
        },
        10000));

    // Tovek in the lower left corner, in front of everything.
    const RECT t = screenRect(tovek);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(tovek, HWND_TOP, 0, height - (t.bottom - t.top) - 8, 0, 0, SWP_NOSIZE);
    ASSERT_TRUE(bringToFront(zero.window()));
    ASSERT_TRUE(bringToFront(tovek));
    // The stacking follows the activation a moment later under load.
    POINT overZero{-1, -1}, overChild{-1, -1};
    ASSERT_TRUE(waitUntil([&] { return (overZero = uncoveredPoint(zero.window())).x >= 0; }, 5000))
        << "Vorbin 0 is covered";
    ASSERT_TRUE(waitUntil([&] { return (overChild = uncoveredPoint(busyChild)).x >= 0; }, 5000))
        << "the untitled window's button is covered";
    HWND finder = GetDlgItem(tovek, IDC_TOVEK_FINDER);
    HWND path = GetDlgItem(tovek, IDC_TOVEK_PATH);

    // "&Check" with a system library, then with a name nothing answers to.
    ASSERT_TRUE(clickAt(GetDlgItem(tovek, IDC_TOVEK_DLL_NAME), {5, 5}));
    ASSERT_TRUE(replaceText(tovek, "kernel32.dll"));
    ASSERT_TRUE(clickAt(GetDlgItem(tovek, IDC_TOVEK_CHECK), {5, 5}));
    std::string found = itemText(tovek, IDC_TOVEK_PATH);
    EXPECT_TRUE(sameText(found, "C:\\windows\\system32\\kernel32.dll")) << found;
    ASSERT_TRUE(clickAt(GetDlgItem(tovek, IDC_TOVEK_DLL_NAME), {5, 5}));
    ASSERT_TRUE(replaceText(tovek, "no_such_library.dll"));
    ASSERT_TRUE(clickAt(GetDlgItem(tovek, IDC_TOVEK_CHECK), {5, 5}));
    EXPECT_EQ(itemText(tovek, IDC_TOVEK_PATH), NoInstanceText);

    // Over Vorbin 0: its title in the caption while held, its program's
    // path after the release.
    {
        MouseDrag drag(finder, clientCentre(finder));
        ASSERT_TRUE(drag.pressed());
        drag.moveTo(overZero);
        const std::string expected = "Tovek  [" + zero.title() + "]";
        EXPECT_TRUE(waitUntil([&] { return windowTitle(tovek) == expected; }, 3000))
            << windowTitle(tovek);
        // Long enough for a screenshot taken by whoever watches the display.
        Sleep(1500);
    }
    EXPECT_TRUE(waitUntil([&] { return sameText(itemText(tovek, IDC_TOVEK_PATH), program / "Vorbin.exe"); },
                          8000))
        << itemText(tovek, IDC_TOVEK_PATH);

    // Over a child control of a window without a title.
    {
        MouseDrag drag(finder, clientCentre(finder));
        ASSERT_TRUE(drag.pressed());
        drag.moveTo(overChild);
        const std::string expected = std::string("Tovek  [") + NoTitleText + "]";
        EXPECT_TRUE(waitUntil([&] { return windowTitle(tovek) == expected; }, 3000))
            << windowTitle(tovek);
    }
    EXPECT_TRUE(waitUntil([&] { return sameText(itemText(tovek, IDC_TOVEK_PATH), busyExe); }, 8000))
        << itemText(tovek, IDC_TOVEK_PATH);

    // Pressed again at once after a click (a double click to the system) and
    // released over Tovek itself: its own path; the press cleared the name.
    ASSERT_TRUE(clickAt(GetDlgItem(tovek, IDC_TOVEK_DLL_NAME), {5, 5}));
    ASSERT_TRUE(replaceText(tovek, "x"));
    ASSERT_TRUE(clickAt(finder, clientCentre(finder)));
    {
        MouseDrag drag(finder, clientCentre(finder));
        ASSERT_TRUE(drag.pressed());
        EXPECT_TRUE(waitUntil([&] { return itemText(tovek, IDC_TOVEK_DLL_NAME).empty(); }, 3000));
        drag.moveTo(centre(screenRect(path)));
        EXPECT_TRUE(waitUntil([&] { return windowTitle(tovek) == "Tovek"; }, 3000))
            << windowTitle(tovek);
    }
    EXPECT_TRUE(waitUntil([&] { return sameText(itemText(tovek, IDC_TOVEK_PATH), program / "Tovek.exe"); },
                          3000))
        << itemText(tovek, IDC_TOVEK_PATH);

    // "&JumpPath" with Tovek's path: Vorbin 0 goes to the program's folder,
    // Vorbin 1 stays.
    ASSERT_TRUE(clickAt(GetDlgItem(tovek, IDC_TOVEK_JUMP), {5, 5}));
    EXPECT_TRUE(waitUntil(
        [&] { return withoutSeparator(zero.title()).ends_with(") " + withoutSeparator(program.path())); },
        5000))
        << zero.title();
    EXPECT_EQ(one.title(), oneTitle);
}
