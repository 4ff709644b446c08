// The info strip along the top of the main window: placing it, showing or
// hiding it, and feeding it at every cursor move and listing change.
#include <cstring>

#include "app/win/main_window.h"
#include "base/path.h"

void MainWindow::createInfoWindow() {
    info_ = std::make_unique<InfoViewThread>(settings_.profile(), extTable_);
    if (!info_->create(hwnd_, settings_.InfoWindow != 0)) info_.reset();
}

void MainWindow::layoutAroundInfo() {
    RECT client;
    GetClientRect(hwnd_, &client);
    int top = 0;
    if (info_ && info_->IsVisible() && !IsIconic(hwnd_)) {
        info_->Place(client);
        // The strip shows once this window does (see InfoViewThread::create).
        if (IsWindowVisible(hwnd_) && !IsWindowVisible(info_->Window())) info_->SetVisible(true);
        top = info_->Height();
        if (top > client.bottom) top = client.bottom;
    }
    MoveWindow(pane_.hwnd(), 0, top, client.right, client.bottom - top, TRUE);
}

void MainWindow::setInfoShown(bool shown) {
    settings_.InfoWindow = shown ? 1 : 0;
    if (!info_) return;
    info_->SetVisible(shown);
    layoutAroundInfo();
    if (shown) {
        feedInfoListing();
        paneCursorMoved();
    }
}

void MainWindow::feedInfoEntry(const std::string& path) {
    // A hidden strip is fed again when it is shown.
    if (!info_ || !info_->IsVisible()) return;
    const PaneModel& model = pane_.model();
    InfoEntry entry{};
    if (model.count()) entry.find = model.entryAt(model.cursor());
    const std::size_t n = path.size() < sizeof entry.path ? path.size() : sizeof entry.path - 1;
    std::memcpy(entry.path, path.data(), n);
    info_->PostEntry(entry);
}

void MainWindow::feedInfoCounts() {
    if (!info_) return;
    const PaneModel& model = pane_.model();
    info_->SetCounts({model.count(), static_cast<int>(model.listing().markedCount()),
                      model.cursor()});
}

void MainWindow::feedInfoListing() {
    if (!info_) return;
    if (listingSource_ == SourceFtp) {
        info_->SetDisk(0, ftpReader_.fromCache() ? DiskFtpCache : DiskFtpOriginal);
    } else {
        ULARGE_INTEGER available{};
        if (!GetDiskFreeSpaceExA(currentDirectory().c_str(), &available, nullptr, nullptr))
            available.QuadPart = 0;
        info_->SetDisk(available.LowPart, static_cast<int32_t>(available.HighPart));
    }
    info_->SetUserName(listingSource_ == SourceFtp ? ftpReader_.user() : std::string());
    feedInfoCounts();
}
