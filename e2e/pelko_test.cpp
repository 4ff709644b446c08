// The viewer with the real Vorbin: started by its key, following the cursor
// over every kind, taking only the newest of several requests, staying single,
// handing a tree line back, scrolling by Vorbin's Alt+Down, keeping its place,
// and showing a Japanese web page as text.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "base/win/mutex_lock.h"
#include "commands/command_id.h"
#include "e2e/child_process.h"
#include "e2e/vorbin_process.h"
#include "services/win/program_directory.h"
#include "services/win/view_request_block.h"
#include "services/win/vorbin_window.h"
#include "testing/win/screen_pixels.h"

namespace {
constexpr int ViewControl = 1002;
constexpr int PageControl = 1005;


// Pixel rows [from, from + count) of a capture.
std::vector<uint32_t> band(const std::vector<uint32_t>& pixels, int width, int from, int count) {
    return {pixels.begin() + size_t(from) * width, pixels.begin() + size_t(from + count) * width};
}

bool anyInk(const std::vector<uint32_t>& pixels) {
    for (uint32_t p : pixels)
        if (p != 0) return true;
    return false;
}

// A 16 by 16 picture, all red, as a 24-bit BMP.
std::string redBitmap() { return bmpFile(std::vector<uint32_t>(16 * 16, 0xFF0000), 16, 16); }

std::string iniValue(const ProgramDirectory& program, const char* section, const char* key) {
    char text[256] = "";
    GetPrivateProfileStringA(section, key, "", text, sizeof text, (program / "Vorbin.ini").c_str());
    return text;
}

class Pelko : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA((programDirectory() + "Pelko.exe").c_str(),
                              (program / "Pelko.exe").c_str(), FALSE));
        std::string lines;
        for (int i = 0; i < 300; ++i) lines += "line " + std::to_string(i) + "\r\n";
        ASSERT_TRUE(tree.writeFile("notes.txt", lines));
        ASSERT_TRUE(tree.writeFile("red.bmp", redBitmap()));
        ASSERT_TRUE(tree.makeDirectory("sub"));
        ASSERT_TRUE(tree.makeDirectory("sub\\inner"));
        // 日本語のページ, as UTF-8 in the page and as Shift-JIS in the text file.
        ASSERT_TRUE(tree.writeFile("page.html",
                                   "<html><head><meta charset=\"utf-8\"><style>p{}</style></head>"
                                   "<body><p>\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE"
                                   "\xE3\x83\x9A\xE3\x83\xBC\xE3\x82\xB8</p></body></html>"));
        ASSERT_TRUE(tree.writeFile("same.txt", "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x79\x81\x5b"
                                               "\x83\x57\n"));
        setLastPath(program, tree.path());
        const std::string ini = program / "Vorbin.ini";
        // Side by side, so clicks and captures meet the intended window.
        WritePrivateProfileStringA("WINDOW", "WindowPos", "0,0,600,600", ini.c_str());
        WritePrivateProfileStringA("WINDOW", "PelkoPos", "800,100,460,400", ini.c_str());
        ASSERT_TRUE(writeKeyTable(program, {{VK_F5, false, false, false, CmdViewfile, {}},
                                            {VK_DOWN, false, false, true, CmdViewDown, {}}}));
        vorbin = std::make_unique<VorbinProcess>(program);
        ASSERT_TRUE(vorbin->waitForWindow());
        ASSERT_TRUE(vorbin->key(VK_F5));
        ASSERT_TRUE(waitUntil([&] { return (pelko = findTitledWindow("[Pelko]")) != nullptr; }));
    }

    std::string pelkoTitle() const { return windowTitle(pelko); }
    // Pelko shows what Vorbin wrote last.
    bool follows() const {
        return waitUntil([&] { return pelkoTitle() == "[Pelko] " + viewedPath(); }, 5000);
    }

    ProgramDirectory program;
    ScratchDirectory tree{"vbpelko"};
    std::unique_ptr<VorbinProcess> vorbin;
    HWND pelko = nullptr;
};
}  // namespace

TEST_F(Pelko, FollowsTheCursorOverEveryKindAndKeepsItsPlace) {
    RECT placed{};
    GetWindowRect(pelko, &placed);
    EXPECT_EQ(placed.left, 800);
    EXPECT_EQ(placed.right - placed.left, 460);

    // Down through the whole listing: the title follows each entry.
    std::set<std::string> seen;
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(vorbin->key(VK_DOWN));
        ASSERT_TRUE(follows()) << pelkoTitle() << " / " << viewedPath();
        seen.insert(viewedPath());
        if (viewedPath() == tree / "red.bmp") {
            // The picture is drawn, centred, at its natural size.
            HWND view = GetDlgItem(pelko, ViewControl);
            RECT client;
            GetClientRect(view, &client);
            EXPECT_TRUE(waitUntil([&] {
                const auto pixels = screenPixels(view, client.right, client.bottom);
                return pixels[size_t(client.bottom / 2) * client.right + client.right / 2] ==
                       0xFF0000;
            }, 5000));
        }
    }
    for (const char* name : {"notes.txt", "red.bmp", "sub", "page.html"})
        EXPECT_TRUE(seen.count(tree / name)) << name;

    // A second Pelko ends at once and leaves the first alone.
    const std::string before = pelkoTitle();
    ChildProcess second(program / "Pelko.exe", "", program.path());
    ASSERT_TRUE(second.started());
    EXPECT_TRUE(second.waitForExit(10000));
    EXPECT_EQ(second.exitCode(), 0u);
    EXPECT_TRUE(IsWindow(pelko));
    EXPECT_EQ(pelkoTitle(), before);

    // A value saved while Pelko runs outlives it: Pelko writes back only its place.
    WritePrivateProfileStringA("PATH", "Editor", "saved-while-pelko-ran.exe",
                               (program / "Vorbin.ini").c_str());
    // Closing by Vorbin's key stores where the window was.
    MoveWindow(pelko, 790, 120, 470, 410, TRUE);
    ASSERT_TRUE(vorbin->key(VK_F5));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(pelko); }));
    EXPECT_EQ(iniValue(program, "WINDOW", "PelkoPos"), "790,120,470,410");
    EXPECT_EQ(iniValue(program, "PATH", "Editor"), "saved-while-pelko-ran.exe");
}

TEST_F(Pelko, ShowsOnlyTheNewestOfThreeRequests) {
    const std::string paths[3] = {tree / "notes.txt", tree / "red.bmp", tree / "sub"};
    std::set<std::string> titles;
    {
        // All three land while the watcher cannot read.
        UniqueHandle mutex{CreateMutexA(nullptr, FALSE, "PELKOMUTEX")};
        MutexLock lock(mutex.get(), 5000);
        ASSERT_TRUE(lock.owned());
        ViewRequestBlock block;
        for (const std::string& path : paths) ASSERT_TRUE(block.write(1, path));
        Sleep(300);
    }
    ASSERT_TRUE(waitUntil([&] {
        titles.insert(pelkoTitle());
        return pelkoTitle() == "[Pelko] " + paths[2];
    }, 5000));
    for (int i = 0; i < 20; ++i, Sleep(25)) titles.insert(pelkoTitle());
    EXPECT_FALSE(titles.count("[Pelko] " + paths[0]));
    EXPECT_FALSE(titles.count("[Pelko] " + paths[1]));
}

TEST_F(Pelko, TreeLineDoubleClickMovesVorbin) {
    handOver(*vorbin, tree / "sub");
    // The cursor rests on ".." of sub: the tree of the path down to sub.
    ASSERT_TRUE(waitUntil([&] { return pelkoTitle() == "[Pelko] " + tree / "sub\\.."; }, 10000))
        << pelkoTitle();
    // One line per level from the drive ("C:", line 0) down, so the folder
    // holding sub is on the line numbered by the separators in its path.
    int parentLine = 0;
    for (char c : tree.path()) parentLine += c == '\\';
    HWND view = GetDlgItem(pelko, ViewControl);
    ASSERT_TRUE(waitUntil([&] {
        RECT client;
        GetClientRect(view, &client);
        return anyInk(screenPixels(view, client.right, 14));
    }, 5000));
    ASSERT_TRUE(clickAt(view, {30, parentLine * 14 + 7}, true));
    EXPECT_TRUE(waitUntil([&] { return vorbin->title().ends_with(") " + tree.path()); }, 10000))
        << vorbin->title();
}

TEST_F(Pelko, AltDownFromVorbinScrollsAndAJapanesePageShowsAsText) {
    handOver(*vorbin, tree / "notes.txt");
    ASSERT_TRUE(waitUntil([&] { return pelkoTitle() == "[Pelko] " + tree / "notes.txt"; }));
    HWND view = GetDlgItem(pelko, ViewControl);
    RECT client;
    GetClientRect(view, &client);
    const int width = client.right;
    // The title changes before the paint: wait for the file's own rows, which
    // begin alike ("line ") and end apart.
    const auto leftCells = [&](const std::vector<uint32_t>& pixels, int top) {
        std::vector<uint32_t> cells;
        for (int y = top; y < top + 14; ++y)
            cells.insert(cells.end(), pixels.begin() + size_t(y) * width,
                         pixels.begin() + size_t(y) * width + 5 * 7);
        return cells;
    };
    std::vector<uint32_t> before;
    ASSERT_TRUE(waitUntil([&] {
        before = screenPixels(view, width, 28);
        return anyInk(band(before, width, 0, 14)) &&
               leftCells(before, 0) == leftCells(before, 14) &&
               band(before, width, 0, 14) != band(before, width, 14, 14);
    }, 5000));
    // Alt+Down in Vorbin: the second row moves up into the first.
    ASSERT_TRUE(vorbin->key(Keystroke{VK_DOWN, false, false, true}));
    EXPECT_TRUE(waitUntil([&] {
        return band(screenPixels(view, width, 14), width, 0, 14) == band(before, width, 14, 14);
    }, 5000));

    // The page's text in the page view draws exactly as the same text from a
    // Shift-JIS file in the text view.
    handOver(*vorbin, tree / "page.html");
    ASSERT_TRUE(waitUntil([&] { return pelkoTitle() == "[Pelko] " + tree / "page.html"; }));
    HWND page = GetDlgItem(pelko, PageControl);
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(page) && !IsWindowVisible(view); }));
    std::vector<uint32_t> pageRow;
    ASSERT_TRUE(waitUntil([&] { return anyInk(pageRow = screenPixels(page, width, 14)); }, 5000));
    handOver(*vorbin, tree / "same.txt");
    ASSERT_TRUE(waitUntil([&] { return pelkoTitle() == "[Pelko] " + tree / "same.txt"; }));
    EXPECT_TRUE(waitUntil([&] {
        return IsWindowVisible(view) && screenPixels(view, width, 14) == pageRow;
    }, 5000));
}
