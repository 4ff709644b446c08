// What a user sees: the pane really draws its lines, Japanese names included.
#include <gtest/gtest.h>

#include <vector>

#include "e2e/vorbin_process.h"
#include "testing/win/screen_pixels.h"

namespace {
// The pixels of a window's client area as 0x00RRGGBB values, row by row.
std::vector<uint32_t> clientPixels(HWND hwnd, int& width, int& height) {
    RECT client;
    GetClientRect(hwnd, &client);
    width = client.right;
    height = client.bottom;
    return screenPixels(hwnd, width, height);
}

int inkIn(const std::vector<uint32_t>& pixels, int width, RECT r, uint32_t background) {
    int ink = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if ((pixels[size_t(y) * width + x] & 0xFFFFFF) != background) ++ink;
    return ink;
}
}  // namespace

TEST(PanePixels, LinesAndJapaneseNamesAreDrawn) {
    ProgramDirectory program;
    ScratchDirectory tree{"vbpix"};
    ASSERT_TRUE(tree.writeFile("\x93\xfa\x96\x7b\x8c\xea.txt", "x"));  // 日本語.txt
    setLastPath(program, tree.path());
    // Default colours (light grey on black) for every file, so ink is easy to tell.
    WritePrivateProfileStringA("WINDOW", "TodayColor", "0", (program / "Vorbin.ini").c_str());
    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.waitForWindow());
    HWND pane = GetDlgItem(vorbin.window(), 1003);
    ASSERT_TRUE(pane);
    SetForegroundWindow(vorbin.window());
    Sleep(500);

    int width = 0, height = 0;
    std::vector<uint32_t> pixels = clientPixels(pane, width, height);
    ASSERT_GT(width, 200);
    ASSERT_GT(height, 100);
    const uint32_t background = pixels[size_t(height - 1) * width + width - 1] & 0xFFFFFF;
    // Shipped font: 16 pixels high, 8 wide. Line 0 is "..", the cursor line;
    // line 1 holds the Japanese name in cells 1 to 6.
    RECT japaneseName{8, 16, 8 + 6 * 8, 32};
    RECT emptyLine{0, 48, width, 64};
    EXPECT_GT(inkIn(pixels, width, japaneseName, background), 20) << "no glyphs drawn";
    EXPECT_EQ(inkIn(pixels, width, emptyLine, background), 0) << "ink where no line is";
    RECT cursorLine{0, 0, 8 * 10, 16};
    EXPECT_GT(inkIn(pixels, width, cursorLine, background), 8 * 10 * 16 / 2)
        << "the cursor line is not inverted";
}
