// Where the main window opens and the arrangement slots "POS00" to "POS08".
#include <vector>

#include "app/win/instances.h"
#include "app/win/main_window.h"
#include "app/win/window_position_dialog.h"
#include "services/window_rect.h"
#include "services/win/window_place.h"

namespace {
const char* const PlaceSection = "WINDOW";
const char* const SlotSection = "WINDOW_POS";
const char* const ViewerPlaceKey = "PelkoPos";
const char* const ViewerTitle = "[Pelko]";

PlaceRect placeOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}
}  // namespace

void MainWindow::restorePlace() {
    if (restoreWindowRect(hwnd_, settings_, PlaceSection, settings_.InstanceKey("WindowPos"))) return;
    // Nothing stored yet: not exactly on top of another instance.
    std::vector<PlaceRect> others;
    for (int n = 0; n < MaxInstances; ++n)
        if (n != settings_.InstanceNumber)
            if (HWND other = findInstanceWindow(n)) others.push_back(placeOf(other));
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    PlaceRect place = clearOfOthers(placeOf(hwnd_), others, step > 8 ? step : 24);
    SetWindowPos(hwnd_, nullptr, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::savePlace() {
    saveWindowRect(hwnd_, settings_, PlaceSection, settings_.InstanceKey("WindowPos"));
}

void MainWindow::applySlot(int number) {
    const WindowSlot slot = parseWindowSlot(settings_.ReadString(SlotSection, windowSlotKey(number)));
    if (!slot.valid) return;
    setInfoShown(slot.info);
    HWND viewer = findTitledWindow(ViewerTitle);
    const PlaceRect& v = slot.viewer;
    if (!v.empty() && viewer) {
        MoveWindow(viewer, v.left, v.top, v.width(), v.height(), TRUE);
    } else if (!v.empty()) {
        settings_.WriteString(PlaceSection, ViewerPlaceKey,
                              formatWindowRect(v.left, v.top, v.width(), v.height()));
        toggleViewer(false);
    } else if (viewer) {
        toggleViewer(false);
    }
    // A slot's 0,0 is where the user put the window: no rule applies.
    const PlaceRect& m = slot.main;
    MoveWindow(hwnd_, m.left, m.top, m.width(), m.height(), TRUE);
}

void MainWindow::windowPositionDialog() {
    auto text = [](HWND window) {
        PlaceRect r = placeOf(window);
        return formatWindowRect(r.left, r.top, r.width(), r.height());
    };
    CurrentPlaces now;
    now.infoShown = info_ && info_->IsVisible();
    now.main = text(hwnd_);
    if (HWND viewer = findTitledWindow(ViewerTitle)) now.viewer = text(viewer);
    runWindowPositionDialog(hwnd_, settings_, now);
}
