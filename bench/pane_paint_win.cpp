// Under Wine, on a listing of 100,000 entries in a real pane window:
// - one cursor move (two lines redrawn) against one full repaint, and the
//   lines the pane drew per move as its own count;
// - a change of directory up to the first complete paint against the raw
//   FindFirstFileA/FindNextFileA enumeration of the same folder.
// Each comparison is paired within a round; min/median/max of the per-round
// ratios are printed.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/path.h"
#include "bench/spread.h"
#include "base/win/handle.h"
#include "panes/listing_loader.h"
#include "panes/listing_sort.h"
#include "panes/win/file_pane.h"
#include "panes/win/win_file_system.h"

namespace {
using Clock = std::chrono::steady_clock;
double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}
struct QuietOwner : PaneOwner {
    void paneGoTo(const std::string&) override {}
    void paneRefresh() override {}
    void paneReturn() override {}
    void paneCommandMenu() override {}
    void paneCursorMoved() override {}
    void paneFilesDropped(const std::vector<std::string>&) override {}
    void paneReload() override {}
    void paneDragSelected() override {}
    void paneFocused() override {}
};

std::size_t rawLoop(const std::string& directory) {
    WIN32_FIND_DATAA data;
    FindHandle find{FindFirstFileA(joinPath(directory, "*.*").c_str(), &data)};
    std::size_t n = 0;
    if (find) do ++n;
        while (FindNextFileA(find.get(), &data));
    return n;
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pane_paint_win DIRECTORY COLOR.TBL [ROUNDS]\n");
        return 2;
    }
    const std::string directory = argv[1];
    const int rounds = std::max(3, argc > 3 ? std::atoi(argv[3]) : 7);
    ExtTable table;
    table.load(argv[2]);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    FilePane::registerClass(instance);
    HWND hwnd = CreateWindowExA(0, FilePane::ClassName, "bench", WS_POPUP | WS_VISIBLE, 0, 0,
                                1200, 900, nullptr, nullptr, instance, nullptr);
    QuietOwner owner;
    FilePane pane;
    pane.attach(hwnd, &owner, &table);
    PaneLook look;
    look.fontHigh = 16;
    look.fontWide = 8;
    look.autoColumns = true;
    pane.setLook(look);
    pump();

    WinFileSystem fs;
    ListingLoader loader(fs, table);
    SortKeys keys;
    keys.fileName = {1, false, true};
    keys.extension = {2, false, true};
    keys.time = keys.attribute = keys.size = {};

    rawLoop(directory);
    std::vector<double> raw, firstPaint, loadRatio;
    for (int r = 0; r < rounds; ++r) {
        auto t = Clock::now();
        rawLoop(directory);
        raw.push_back(msSince(t));
        t = Clock::now();
        ListingLoader::Result result;
        loader.load(directory, "", SourceLocal, pane.model().listing(), result);
        sortListing(pane.model().listing(), keys);
        pane.relayout();  // lays out and paints synchronously
        firstPaint.push_back(msSince(t));
        loadRatio.push_back(firstPaint.back() / raw.back());
    }

    const PaneModel& model = pane.model();
    const int lines = model.layout().paintRange(model.topColumn()).lines;
    // A move takes a few microseconds: timed over many, or one preemption
    // on a busy machine decides the figure.
    constexpr int Repaints = 20, Moves = 2000;
    std::vector<double> full, move, moveLines, drawnPerMove;
    for (int r = 0; r < rounds; ++r) {
        auto t = Clock::now();
        for (int i = 0; i < Repaints; ++i) pane.repaintAll();
        GdiFlush();
        full.push_back(msSince(t) / Repaints);
        const long long drawnBefore = pane.linesDrawn();
        t = Clock::now();
        for (int i = 0; i < Moves; ++i) pane.apply(pane.model().move(0, (i % 2) ? -1 : 1));
        GdiFlush();
        move.push_back(msSince(t) / Moves);
        drawnPerMove.push_back(double(pane.linesDrawn() - drawnBefore) / Moves);
        moveLines.push_back(move.back() / (full.back() / lines));
    }
    std::printf("entries: %d, lines per column: %d, lines drawn by a repaint: %d\n", model.count(),
                model.layout().rows(), lines);
    printSpread("full repaint, ms", full, "%.3f");
    printSpread("cursor move, ms", move, "%.3f");
    printSpread("cursor move in lines of the repaint, per round", moveLines);
    printSpread("lines drawn per cursor move (counted by the pane)", drawnPerMove);
    printSpread("raw enumeration, ms", raw, "%.1f");
    printSpread("change of directory to first paint, ms", firstPaint, "%.1f");
    printSpread("ratio first paint/raw, per round", loadRatio);
    DestroyWindow(hwnd);
    return 0;
}
