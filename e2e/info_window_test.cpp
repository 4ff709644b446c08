// The info strip and the window places in the real program: texts for the
// entry under the cursor, the layout keys, the I key, and where windows open.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "e2e/vorbin_process.h"
#include "services/win/ini_profile.h"

namespace {
const int ControlIds[13] = {1166, 1169, 1153, 1152, 1126, 1122, 1075,
                            1071, 1117, 1097, 1096, 1076, 1074};
const char* const ControlKeys[13] = {"BtnAttr",     "StcAttrib",      "StcRight",
                                     "StcLeft",     "StcMem",         "IcoFile",
                                     "StcFileName", "StcAltFileName", "StcTime",
                                     "StcFile",     "StcDiskSpace",   "StcSize",
                                     "StcLastWriteTime"};

HWND stripOf(HWND main) { return FindWindowExA(main, nullptr, "#32770", "File Info"); }

std::string textOf(HWND control) {
    char text[600] = {};
    DWORD_PTR ignored;
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &ignored);
    return text;
}

std::string item(HWND strip, int id) { return textOf(GetDlgItem(strip, id)); }

RECT placeIn(HWND strip, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(strip, id), &r);
    MapWindowPoints(nullptr, strip, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int heightOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

std::string ini(const ProgramDirectory& dir, const char* section, const char* key) {
    IniProfile profile(dir / "Vorbin.ini");
    return profile.read(section, key);
}

void writeIni(const ProgramDirectory& dir, const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, (dir / "Vorbin.ini").c_str());
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
}  // namespace

TEST(InfoWindow, TextsForFilesAndDirectories) {
    ProgramDirectory dir;
    const std::string work = dir / "work";
    ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((work + "\\sub dir").c_str(), nullptr));
    ASSERT_TRUE(dir.scratch().writeFile("work\\big.bin", std::string(1234567, 'x')));
    ASSERT_TRUE(dir.scratch().writeFile("work\\\x95\x5c.txt", std::string(999, 'y'),
                                        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    setLastPath(dir, work);

    VorbinProcess vorbin(dir);
    ASSERT_TRUE(vorbin.waitForWindow());
    HWND strip = stripOf(vorbin.window());
    ASSERT_TRUE(strip) << "no info strip";
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(strip) != FALSE; }));

    handOver(vorbin, work + "\\big.bin");
    ASSERT_TRUE(waitUntil([&] { return item(strip, 1075) == "FileName : big.bin"; }))
        << item(strip, 1075);
    EXPECT_TRUE(waitUntil([&] { return item(strip, 1076) == "Size : 1,234,567"; })) << item(strip, 1076);
    EXPECT_TRUE(std::regex_match(item(strip, 1074),
                                 std::regex("Time : \\d\\d-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d")))
        << item(strip, 1074);
    EXPECT_TRUE(std::regex_match(item(strip, 1096), std::regex("Disk : [0-9]{1,3}(,[0-9]{3})*")))
        << item(strip, 1096);
    EXPECT_TRUE(std::regex_match(item(strip, 1097), std::regex("File : 0/4\\(\\d\\)")))
        << item(strip, 1097);  // "..", the folder and two files
    EXPECT_EQ(item(strip, 1071).rfind("Dos FileName : ", 0), 0u) << item(strip, 1071);
    EXPECT_TRUE(std::regex_match(item(strip, 1117),
                                 std::regex("\\d\\d-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d")));
    EXPECT_TRUE(std::regex_match(item(strip, 1126), std::regex("Mem  : [0-9,]+")));

    handOver(vorbin, work + "\\\x95\x5c.txt");
    EXPECT_TRUE(waitUntil([&] { return item(strip, 1075) == "FileName : \x95\x5c.txt"; }))
        << item(strip, 1075);
    EXPECT_TRUE(waitUntil([&] { return item(strip, 1076) == "Size : 999"; }));

    // The directory: its own short name, and the pane's entry count.
    bool onDirectory = false;
    for (int i = 0; i < 5 && !onDirectory; ++i) {
        onDirectory = waitUntil([&] { return item(strip, 1075) == "FileName : sub dir"; }, 1500);
        if (!onDirectory) EXPECT_TRUE(vorbin.key(VK_UP));
    }
    ASSERT_TRUE(onDirectory) << item(strip, 1075);
    char shortPath[MAX_PATH] = "";
    ASSERT_TRUE(GetShortPathNameA((work + "\\sub dir").c_str(), shortPath, sizeof shortPath));
    const std::string shortName = std::string(shortPath).substr(std::string(shortPath).rfind('\\') + 1);
    EXPECT_EQ(item(strip, 1071), "Dos FileName : " + shortName);
    EXPECT_EQ(item(strip, 1076), "Size : 0");

    // I hides and shows the strip; the choice outlives the process.
    vorbin.key('I');
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(strip); }));
    ASSERT_TRUE(vorbin.close());
    EXPECT_EQ(ini(dir, "WINDOW", "InfoWindow"), "0");

    VorbinProcess again(dir);
    ASSERT_TRUE(again.waitForWindow());
    strip = stripOf(again.window());
    ASSERT_TRUE(strip);
    EXPECT_FALSE(IsWindowVisible(strip));
    again.key('I');
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(strip) != FALSE; }));
    EXPECT_TRUE(waitUntil([&] { return item(strip, 1075).rfind("FileName : ", 0) == 0; }));
}

TEST(InfoWindow, LayoutKeysLoadResetAndRestore) {
    ProgramDirectory dir;
    // The template's layout, as a first start without any keys shows it.
    int templateHeight = 0;
    RECT templatePlace[13];
    {
        VorbinProcess first(dir);
        ASSERT_TRUE(first.waitForWindow());
        HWND strip = stripOf(first.window());
        ASSERT_TRUE(strip);
        templateHeight = heightOf(strip);
        for (int i = 0; i < 13; ++i) templatePlace[i] = placeIn(strip, ControlIds[i]);
        ASSERT_TRUE(first.close());
    }
    EXPECT_EQ(ini(dir, "WINDOW", "StcFile"), "") << "written without a move";

    // Every control 7 pixels right and 3 down, and a height too small to take.
    auto writeShifted = [&] {
        writeIni(dir, "WINDOW", "InfoviewHigh", "8");
        for (int i = 0; i < 13; ++i) {
            const RECT& r = templatePlace[i];
            const std::string text = std::to_string(r.left + 7) + "," + std::to_string(r.top + 3) +
                                     "," + std::to_string(r.right - r.left) + "," +
                                     std::to_string(r.bottom - r.top);
            writeIni(dir, "WINDOW", ControlKeys[i], text.c_str());
        }
    };
    writeShifted();
    {
        VorbinProcess shifted(dir);
        ASSERT_TRUE(shifted.waitForWindow());
        HWND strip = stripOf(shifted.window());
        ASSERT_TRUE(strip);
        EXPECT_EQ(heightOf(strip), templateHeight) << "a height of 8 was taken";
        RECT files = placeIn(strip, 1097);
        EXPECT_EQ(files.left, templatePlace[9].left + 7);
        EXPECT_EQ(files.top, templatePlace[9].top + 3);

        // Alt+Shift+click puts the template back and writes it.
        RECT strip_client;
        GetClientRect(strip, &strip_client);
        // The keys held must reach the program: it has the front first.
        ASSERT_TRUE(shifted.key(VK_DOWN));
        ASSERT_TRUE(clickHolding(strip, {strip_client.right - 4, strip_client.bottom / 2},
                                 {VK_MENU, VK_SHIFT}));
        EXPECT_TRUE(waitUntil([&] { return placeIn(strip, 1097).left == templatePlace[9].left; }));
        EXPECT_TRUE(waitUntil([&] {
            return ini(dir, "WINDOW", "StcFile") ==
                   std::to_string(templatePlace[9].left) + "," +
                       std::to_string(templatePlace[9].top) + "," +
                       std::to_string(templatePlace[9].right - templatePlace[9].left) + "," +
                       std::to_string(templatePlace[9].bottom - templatePlace[9].top);
        })) << ini(dir, "WINDOW", "StcFile");
        EXPECT_EQ(ini(dir, "WINDOW", "InfoviewHigh"), std::to_string(templateHeight));
        ASSERT_TRUE(shifted.close());
    }

    // One key gone: every control back at its template place.
    writeShifted();
    writeIni(dir, "WINDOW", "StcMem", nullptr);
    VorbinProcess reset(dir);
    ASSERT_TRUE(reset.waitForWindow());
    HWND strip = stripOf(reset.window());
    ASSERT_TRUE(strip);
    for (int i = 0; i < 13; ++i)
        EXPECT_TRUE(sameRect(placeIn(strip, ControlIds[i]), templatePlace[i])) << ControlKeys[i];
}

namespace {
// The cursor index the strip shows in "File : %d/%d(%d)", -1 before it shows one.
int cursorShown(HWND strip) {
    std::smatch m;
    const std::string text = item(strip, 1097);
    return std::regex_match(text, m, std::regex("File : \\d+/\\d+\\((\\d+)\\)")) ? std::stoi(m[1]) : -1;
}

std::string placeText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right - r.left) + "," + std::to_string(r.bottom - r.top);
}

POINT centreOf(HWND strip, int id) {
    RECT r;
    GetClientRect(GetDlgItem(strip, id), &r);
    return {r.right / 2, r.bottom / 2};
}
}  // namespace

TEST(InfoWindow, MouseMovesControlsSetsTheHeightAndClicksTheArrows) {
    ProgramDirectory dir;
    const std::string work = dir / "work";
    ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr));
    // Several columns of entries, so that a step to the side moves the cursor.
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(dir.scratch().writeFile("work\\f" + std::to_string(1000 + i) + ".txt", "x"));
    setLastPath(dir, work);
    VorbinProcess vorbin(dir);
    ASSERT_TRUE(vorbin.waitForWindow());
    HWND strip = stripOf(vorbin.window());
    ASSERT_TRUE(strip);
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(strip) != FALSE; }));
    ASSERT_TRUE(vorbin.key(VK_HOME));  // the front, for the keys held below
    HWND files = GetDlgItem(strip, 1097);

    // A right-drag carries the control along with the pointer and stores its place.
    const RECT start = placeIn(strip, 1097);
    {
        MouseDrag drag(files, centreOf(strip, 1097), true);
        ASSERT_TRUE(drag.pressed());
        POINT to = centreOf(strip, 1097);
        ClientToScreen(files, &to);
        drag.moveTo({to.x + 30, to.y + 10});
    }
    RECT moved{};
    EXPECT_TRUE(waitUntil([&] {
        moved = placeIn(strip, 1097);
        return moved.left == start.left + 30 && moved.top == start.top + 10;
    })) << moved.left - start.left << "," << moved.top - start.top;
    EXPECT_TRUE(waitUntil([&] { return ini(dir, "WINDOW", "StcFile") == placeText(moved); }))
        << ini(dir, "WINDOW", "StcFile");

    // With Ctrl one pixel per pointer move, whatever the pointer's stride.
    {
        MouseDrag drag(files, centreOf(strip, 1097), true, {VK_CONTROL});
        ASSERT_TRUE(drag.pressed());
        POINT to = centreOf(strip, 1097);
        ClientToScreen(files, &to);
        drag.moveTo({to.x + 60, to.y});  // six moves of ten pixels
    }
    RECT fine{};
    EXPECT_TRUE(waitUntil([&] { return ini(dir, "WINDOW", "StcFile") != placeText(moved); }));
    fine = placeIn(strip, 1097);
    EXPECT_GE(fine.left - moved.left, 1);
    EXPECT_LE(fine.left - moved.left, 6);
    EXPECT_EQ(fine.top, moved.top);
    EXPECT_EQ(ini(dir, "WINDOW", "StcFile"), placeText(fine));

    // Alt and a drag of the bottom edge: the edge follows the pointer.
    RECT client, screen;
    GetClientRect(strip, &client);
    GetWindowRect(strip, &screen);
    const POINT edge{client.right - 4, client.bottom - 2};
    const int wanted = edge.y + 15;  // no border: the client is the window
    {
        MouseDrag drag(strip, edge, false, {VK_MENU});
        ASSERT_TRUE(drag.pressed());
        drag.moveTo({screen.left + edge.x, screen.top + edge.y + 15});
    }
    EXPECT_TRUE(waitUntil([&] { return heightOf(strip) == wanted; })) << heightOf(strip);
    EXPECT_TRUE(waitUntil([&] { return ini(dir, "WINDOW", "InfoviewHigh") == std::to_string(wanted); }))
        << ini(dir, "WINDOW", "InfoviewHigh");
    RECT pane;
    GetWindowRect(GetDlgItem(vorbin.window(), 1003), &pane);
    EXPECT_TRUE(waitUntil([&] {
        GetWindowRect(GetDlgItem(vorbin.window(), 1003), &pane);
        return pane.top == screen.top + wanted;
    })) << "the pane did not follow the strip's edge";

    // A click on an arrow steps as the owner's own message for it does.
    ASSERT_TRUE(waitUntil([&] { return cursorShown(strip) == 0; })) << item(strip, 1097);
    ASSERT_TRUE(clickAt(GetDlgItem(strip, 1153), centreOf(strip, 1153)));  // "->"
    int clicked = -1;
    ASSERT_TRUE(waitUntil([&] { return (clicked = cursorShown(strip)) > 0; })) << item(strip, 1097);
    PostMessageA(vorbin.window(), 0x8005, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return cursorShown(strip) == 2 * clicked; })) << item(strip, 1097);
    ASSERT_TRUE(clickAt(GetDlgItem(strip, 1152), centreOf(strip, 1152)));  // "<-"
    EXPECT_TRUE(waitUntil([&] { return cursorShown(strip) == clicked; })) << item(strip, 1097);
    PostMessageA(vorbin.window(), 0x8004, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return cursorShown(strip) == 0; })) << item(strip, 1097);
}

TEST(WindowPlaces, SavedRestoredAndNewInstancesOffset) {
    ProgramDirectory dir;
    RECT a{}, b{};
    {
        VorbinProcess first(dir);
        ASSERT_TRUE(first.waitForWindow());
        VorbinProcess second(dir);
        ASSERT_TRUE(second.waitForWindow());
        GetWindowRect(first.window(), &a);
        GetWindowRect(second.window(), &b);
        EXPECT_TRUE(a.left != b.left || a.top != b.top) << "the second opened on top of the first";
        EXPECT_GE(std::abs(b.top - a.top), 8);

        SetWindowPos(first.window(), nullptr, 200, 150, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(waitUntil([&] {
            RECT r;
            GetWindowRect(first.window(), &r);
            return r.left == 200 && r.right == 1000;
        }));
        ASSERT_TRUE(first.close());
        ASSERT_TRUE(second.close());
    }
    EXPECT_EQ(ini(dir, "WINDOW", "WindowPos"), "200,150,800,600");
    EXPECT_EQ(ini(dir, "WINDOW", "WindowPos_1"),
              std::to_string(b.left) + "," + std::to_string(b.top) + "," +
                  std::to_string(b.right - b.left) + "," + std::to_string(b.bottom - b.top));
    {
        VorbinProcess back(dir);
        ASSERT_TRUE(back.waitForWindow());
        RECT r;
        GetWindowRect(back.window(), &r);
        EXPECT_EQ(r.left, 200);
        EXPECT_EQ(r.top, 150);
        EXPECT_EQ(r.right - r.left, 800);
        EXPECT_EQ(r.bottom - r.top, 600);
        ASSERT_TRUE(back.close());
    }
    // A stored 0,0 opens one pixel right of it.
    writeIni(dir, "WINDOW", "WindowPos", "0,0,640,480");
    VorbinProcess corner(dir);
    ASSERT_TRUE(corner.waitForWindow());
    RECT r;
    GetWindowRect(corner.window(), &r);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 639);
}
