// Under Wine, on a listing of 100,000 entries in a real pane window:
// - one cursor move (two lines redrawn) against one full repaint;
// - a change of directory up to the first complete paint against the raw
//   FindFirstFileA/FindNextFileA enumeration of the same folder.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/path.h"
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
double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
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
        std::fprintf(stderr, "usage: pane_paint_win DIRECTORY COLOR.TBL\n");
        return 2;
    }
    const std::string directory = argv[1];
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
    std::vector<double> raw, firstPaint;
    for (int r = 0; r < 5; ++r) {
        auto t = Clock::now();
        rawLoop(directory);
        raw.push_back(msSince(t));
        t = Clock::now();
        ListingLoader::Result result;
        loader.load(directory, "", SourceLocal, pane.model().listing(), result);
        sortListing(pane.model().listing(), keys);
        pane.relayout();  // lays out and paints synchronously
        firstPaint.push_back(msSince(t));
    }

    std::vector<double> full, move;
    for (int r = 0; r < 7; ++r) {
        auto t = Clock::now();
        for (int i = 0; i < 20; ++i) pane.repaintAll();
        GdiFlush();
        full.push_back(msSince(t) / 20);
        t = Clock::now();
        for (int i = 0; i < 20; ++i) pane.apply(pane.model().move(0, (i % 2) ? -1 : 1));
        GdiFlush();
        move.push_back(msSince(t) / 20);
    }
    const PaneModel& model = pane.model();
    std::printf("entries: %d, lines per column: %d, lines drawn by a repaint: %d\n", model.count(),
                model.layout().rows(), model.layout().paintRange(model.topColumn()).lines);
    std::printf("full repaint: %.3f ms; cursor move: %.3f ms; ratio move/full: %.3f\n",
                median(full), median(move), median(move) / median(full));
    std::printf("per line of the repaint: %.4f ms; cursor move in lines: %.2f\n",
                median(full) / model.layout().paintRange(model.topColumn()).lines,
                median(move) / (median(full) / model.layout().paintRange(model.topColumn()).lines));
    std::printf("raw enumeration: %.1f ms; change of directory to first paint: %.1f ms; "
                "ratio: %.2f\n",
                median(raw), median(firstPaint), median(firstPaint) / median(raw));
    DestroyWindow(hwnd);
    return 0;
}
