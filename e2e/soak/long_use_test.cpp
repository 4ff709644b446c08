// One instance driven for minutes by random keys of the built-in map over a
// tree of a few thousand entries, every dialog answered by Cancel: it must
// not crash, must answer within a second, and must hold no more handles,
// GDI objects or windows at the end than after the warm-up.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "commands/command_id.h"
#include "e2e/soak/process_resources.h"
#include "e2e/soak/soak_run.h"
#include "e2e/vorbin_process.h"

namespace {
struct WeightedKey {
    Keystroke stroke;
    int weight;
};

constexpr bool S = true, C = true, A = true, o = false;

// Keys of the built-in map that neither change files nor start programs,
// and the finds, masks and sorts the test's KEY.TBL adds on top.
const std::vector<WeightedKey>& keys() {
    static const std::vector<WeightedKey> table = {
        {{VK_UP, o, o, o}, 12},     {{VK_DOWN, o, o, o}, 14},   {{VK_LEFT, o, o, o}, 5},
        {{VK_RIGHT, o, o, o}, 5},   {{VK_UP, S, o, o}, 3},      {{VK_DOWN, S, o, o}, 3},
        {{VK_LEFT, S, o, o}, 1},    {{VK_RIGHT, S, o, o}, 1},   {{'E', o, C, o}, 2},
        {{'X', o, C, o}, 2},        {{'S', o, C, o}, 1},        {{'D', o, C, o}, 1},
        {{'E', S, C, o}, 1},        {{'S', S, C, o}, 1},        {{'D', S, C, o}, 1},
        {{VK_SPACE, o, o, o}, 6},   {{VK_SPACE, o, C, o}, 1},   {{VK_RETURN, o, o, o}, 10},
        {{'M', o, C, o}, 2},        {{VK_BACK, o, o, o}, 6},    {{'H', o, C, o}, 2},
        {{'I', o, o, o}, 1},        {{'S', o, o, o}, 2},        {{'J', o, o, o}, 1},
        {{'H', o, o, A}, 1},        {{'Q', S, C, o}, 1},        {{'C', o, C, o}, 1},
        {{'B', o, C, o}, 1},        {{'C', S, C, o}, 1},        {{VK_F7, o, o, o}, 1},
        {{VK_F8, o, o, o}, 1},      {{VK_F9, o, o, o}, 1},      {{'F', o, C, o}, 2},
        {{'M', o, o, A}, 2},        {{VK_F3, o, o, o}, 2},      {{VK_F3, S, o, o}, 1},
        {{VK_HOME, o, o, o}, 2},    {{VK_END, o, o, o}, 2},     {{VK_PRIOR, o, o, o}, 2},
        {{VK_NEXT, o, o, o}, 2},    {{VK_F5, o, o, o}, 2},      {{VK_ESCAPE, o, o, o}, 2},
        {{'S', o, o, A}, 1},        {{'T', o, C, o}, 1},        {{'Y', o, C, o}, 1},
        {{'U', o, C, o}, 1},        {{'A', o, C, o}, 1},
    };
    return table;
}

KeyBinding bind(int key, bool shift, bool ctrl, bool alt, CommandId command) {
    KeyBinding b;
    b.key = key;
    b.shift = shift;
    b.ctrl = ctrl;
    b.alt = alt;
    b.command = command;
    return b;
}

// A tree of 40 folders and 3,400 files whose names hold 0x5C trail bytes and blanks.
std::string makeTree(const ProgramDirectory& program) {
    const std::string root = program / "soak tree";
    CreateDirectoryA(root.c_str(), nullptr);
    auto touch = [](const std::string& path) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    };
    char name[64];
    for (int i = 0; i < 200; ++i) {
        std::snprintf(name, sizeof name, "\x83\x5c file %03d.skd", i);  // ソ
        touch(root + "\\" + name);
    }
    for (int d = 0; d < 8; ++d) {
        std::snprintf(name, sizeof name, "\x95\x5c dir %d", d);  // 表
        const std::string dir = root + "\\" + name;
        CreateDirectoryA(dir.c_str(), nullptr);
        for (int s = 0; s < 4; ++s) {
            std::snprintf(name, sizeof name, "sub %d", s);
            const std::string sub = dir + "\\" + name;
            CreateDirectoryA(sub.c_str(), nullptr);
            for (int f = 0; f < 100; ++f) {
                std::snprintf(name, sizeof name, "f%03d %c.skd", f, 'a' + f % 26);
                touch(sub + "\\" + name);
            }
        }
    }
    return root;
}

std::string iniValue(const ProgramDirectory& program, const char* section, const char* key) {
    char value[64] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, (program / "Vorbin.ini").c_str());
    return value;
}
}  // namespace

TEST(LongUse, RandomKeysLeaveNoCrashNoHangAndNoLeak) {
    const int seconds = runSeconds("VORBIN_SOAK_SECONDS", 60);
    const unsigned seed = runSeed();
    reportFigures("long use", "seed " + std::to_string(seed) + ", " + std::to_string(seconds) + " s");
    std::mt19937 random(seed);

    ProgramDirectory program;
    const std::string root = makeTree(program);
    ASSERT_TRUE(writeKeyTable(
        program, {bind('F', o, C, o, CmdFind), bind('M', o, o, A, CmdFindMask),
                  bind(VK_F3, o, o, o, CmdRefind), bind(VK_F3, S, o, o, CmdBackRefind),
                  bind(VK_HOME, o, o, o, CmdCursorTop), bind(VK_END, o, o, o, CmdCursorBottom),
                  bind(VK_PRIOR, o, o, o, CmdCursorHead), bind(VK_NEXT, o, o, o, CmdCursorTail),
                  bind(VK_F5, o, o, o, CmdRefresh), bind(0x19, o, o, o, CmdCancel),
                  bind('S', o, o, A, CmdSelFile), bind('T', o, C, o, CmdSwTime),
                  bind('Y', o, C, o, CmdSwSize), bind('U', o, C, o, CmdSwAuto),
                  bind('A', o, C, o, CmdAllselect2)}));
    setLastPath(program, root);

    VorbinProcess vorbin(program);
    ASSERT_TRUE(vorbin.started());
    HWND main = vorbin.waitForWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().find(root) != std::string::npos; }));

    std::vector<int> weights;
    for (const WeightedKey& k : keys()) weights.push_back(k.weight);
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());

    long keysSent = 0, dialogsCancelled = 0, untyped = 0, hangs = 0, returnsToTree = 0;
    DWORD slowest = 0;
    ResourceCounts start, peak{0, 0, 0};
    std::string infoAtStart;
    const DWORD began = GetTickCount();
    const DWORD warmUpMs = std::min<DWORD>(20000, seconds * 1000 / 5);
    bool measuring = false;

    auto backToTree = [&] {
        if (vorbin.title().find(root) != std::string::npos) return;
        handOver(vorbin, root);
        ++returnsToTree;
    };

    // The warm-up types every key once before the random ones: what a
    // feature keeps for its next use (fonts, brushes, a strip) exists before
    // the count starts, however few keys a busy machine lets through.
    std::size_t warmUpKeys = 0;
    while (GetTickCount() - began < static_cast<DWORD>(seconds) * 1000) {
        const Keystroke stroke =
            warmUpKeys < keys().size() ? keys()[warmUpKeys++].stroke : keys()[pick(random)].stroke;
        if (typeKey(main, stroke)) ++keysSent; else ++untyped;
        const int closed = cancelDialogs(vorbin.processId(), main, random, true);
        ASSERT_GE(closed, 0) << "a dialog did not close after key " << stroke.key;
        dialogsCancelled += closed;
        ASSERT_EQ(WaitForSingleObject(vorbin.handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT))
            << "Vorbin ended after " << keysSent << " keys, last key " << stroke.key;
        DWORD took = 0;
        if (!answers(main, 1000, took)) ++hangs;
        slowest = std::max(slowest, took);
        backToTree();
        if (!measuring && warmUpKeys == keys().size() && GetTickCount() - began >= warmUpMs) {
            measuring = true;
            start = countResources(vorbin.handle(), vorbin.processId());
            infoAtStart = iniValue(program, "WINDOW", "InfoWindow");
            reportFigures("long use", "after warm-up (" + std::to_string(keysSent) +
                                          " keys): " + describe(start));
        }
        if (measuring && keysSent % 50 == 0) {
            const ResourceCounts now = countResources(vorbin.handle(), vorbin.processId());
            peak = {std::max(peak.handles, now.handles), std::max(peak.gdi, now.gdi),
                    std::max(peak.windows, now.windows)};
        }
    }

    // The same state as at the start of the measurement: no dialog, the
    // strip as it was, the tree's root shown.
    ASSERT_GE(cancelDialogs(vorbin.processId(), main, random, false), 0);
    if (iniValue(program, "WINDOW", "InfoWindow") != infoAtStart) typeKey(main, Keystroke{'I'});
    handOver(vorbin, root);
    ASSERT_TRUE(waitUntil([&] { return vorbin.title().find(root) != std::string::npos; }));
    DWORD took = 0;
    answers(main, 5000, took);
    const ResourceCounts end = countResources(vorbin.handle(), vorbin.processId());
    const DWORD ranMs = GetTickCount() - began;

    char line[400];
    std::snprintf(line, sizeof line,
                  "%.0f s, %ld keys sent (%ld not typed), %ld dialogs cancelled, %ld returns to "
                  "the tree, %ld hangs, slowest answer %lu ms; start %s; end %s; peak handles %d, "
                  "GDI %d, windows %d",
                  ranMs / 1000.0, keysSent, untyped, dialogsCancelled, returnsToTree, hangs,
                  static_cast<unsigned long>(slowest), describe(start).c_str(),
                  describe(end).c_str(), peak.handles, peak.gdi, peak.windows);
    reportFigures("long use", line);

    EXPECT_EQ(hangs, 0) << "the window did not answer within a second";
    EXPECT_GT(keysSent, seconds) << "fewer than a key a second reached the program";
    ASSERT_TRUE(start.complete() && end.complete()) << describe(start) << " / " << describe(end);
    // A leak of one object per repaint or per dialog grows with every key.
    EXPECT_LE(end.handles - start.handles, 10);
    EXPECT_LE(end.gdi - start.gdi, 10);
    EXPECT_LE(end.windows - start.windows, 2);
    EXPECT_TRUE(vorbin.close());
}
