// travik.dll loaded as Tovek loads it, asked about the windows of another
// running program: its path, a child window's, the buffer size rule, a
// program that stops answering, a window that is gone, and two callers at once.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "e2e/child_process.h"
#include "e2e/vorbin_process.h"
#include "services/win/program_directory.h"

namespace {
using PathFromWindow = int(__cdecl*)(HWND, char*, unsigned int);

class Travik {
public:
    explicit Travik(const ProgramDirectory& program)
        : library_(LoadLibraryA((program / "travik.dll").c_str())) {}
    ~Travik() {
        if (library_) FreeLibrary(library_);
    }
    Travik(const Travik&) = delete;
    Travik& operator=(const Travik&) = delete;
    PathFromWindow byOrdinal() const { return function(MAKEINTRESOURCEA(101)); }
    PathFromWindow byName() const { return function("GetModulePathFromHwnd"); }

private:
    PathFromWindow function(const char* name) const {
        return reinterpret_cast<PathFromWindow>(
            reinterpret_cast<void*>(GetProcAddress(library_, name)));
    }
    HMODULE library_;
};
}  // namespace

TEST(Travik, PathOfAnotherProgramsWindowWithItsRules) {
    ProgramDirectory program;
    Travik travik(program);
    const PathFromWindow pathOf = travik.byOrdinal();
    ASSERT_TRUE(pathOf);
    EXPECT_EQ(pathOf, travik.byName());

    const std::string exe = program / "busy_window.exe";
    ASSERT_TRUE(CopyFileA((programDirectory() + "busy_window.exe").c_str(), exe.c_str(), FALSE));
    ChildProcess busy(exe, "\"travik target\"", program.path());
    HWND window = busy.waitForWindow("travik target");
    ASSERT_TRUE(window);
    HWND child = GetWindow(window, GW_CHILD);
    ASSERT_TRUE(child);

    char buffer[1000];
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_EQ(pathOf(window, buffer, sizeof buffer), 1);
    EXPECT_STRCASEEQ(buffer, exe.c_str());
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_EQ(pathOf(child, buffer, sizeof buffer), 1);
    EXPECT_STRCASEEQ(buffer, exe.c_str());

    // Exactly the length leaves no room for the NUL: 0, buffer untouched.
    const unsigned int length = static_cast<unsigned int>(exe.size());
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(pathOf(window, buffer, length), 0);
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(pathOf(window, buffer, length + 1), 1);
    EXPECT_EQ(std::strlen(buffer), length);

    // A window that is gone has no thread to hook: 0, not a desktop-wide hook.
    HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(pathOf(gone, buffer, sizeof buffer), 0);
    EXPECT_EQ(buffer[0], '#');

    // Busy for 6 s: the answer comes after the 5 s wait, 1 with an empty path.
    PostMessageA(window, WM_APP, 6000, 0);
    Sleep(300);
    std::memset(buffer, '#', sizeof buffer);
    const DWORD start = GetTickCount();
    EXPECT_EQ(pathOf(window, buffer, sizeof buffer), 1);
    const DWORD waited = GetTickCount() - start;
    EXPECT_STREQ(buffer, "");
    EXPECT_GE(waited, 4800u);
    EXPECT_LT(waited, 5800u);
}

// The slot the hook writes is one for the whole desktop; two callers at once
// each still get their own program's path.
TEST(Travik, TwoCallersAtOnceEachGetTheirOwnPath) {
    ProgramDirectory program;
    Travik travik(program);
    const PathFromWindow pathOf = travik.byOrdinal();
    ASSERT_TRUE(pathOf);
    const std::string exes[2] = {program / "busy_one.exe", program / "busy_two.exe"};
    for (const std::string& exe : exes)
        ASSERT_TRUE(CopyFileA((programDirectory() + "busy_window.exe").c_str(), exe.c_str(), FALSE));
    ChildProcess one(exes[0], "one", program.path()), two(exes[1], "two", program.path());
    HWND windows[2] = {one.waitForWindow("one"), two.waitForWindow("two")};
    ASSERT_TRUE(windows[0] && windows[1]);

    int wrong[2] = {0, 0};
    auto ask = [&](int which) {
        for (int i = 0; i < 15; ++i) {
            char buffer[1000] = "";
            if (pathOf(windows[which], buffer, sizeof buffer) != 1 ||
                _stricmp(buffer, exes[which].c_str()) != 0)
                ++wrong[which];
        }
    };
    std::thread first(ask, 0), second(ask, 1);
    first.join();
    second.join();
    EXPECT_EQ(wrong[0], 0);
    EXPECT_EQ(wrong[1], 0);
}
