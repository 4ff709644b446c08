#include "app/win/main_window.h"

#include <cstdio>

#include "app/win/resource.h"
#include "panes/listing_sort.h"
#include "panes/mask_filter.h"

MainWindow::MainWindow(Settings& settings, UniqueHandle& instanceLock)
    : settings_(settings), instanceLock_(instanceLock), loader_(fileSystem_, extTable_) {
    extTable_.load(settings_.ProgramDirectory() + "Color.tbl");
    currentPath_ = settings_.ProgramDirectory();
}

MainWindow::~MainWindow() { publishPaneHandle(nullptr); }

void MainWindow::run(HINSTANCE instance) {
    FilePane::registerClass(instance);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, procedure,
                    reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK MainWindow::procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<MainWindow*>(lp);
        SetWindowLongPtrA(hwnd, DWLP_USER, lp);
        self->hwnd_ = hwnd;
        self->initialise();
        return FALSE;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    return self ? self->handle(message, wp, lp) : FALSE;
}

void MainWindow::initialise() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    pane_.attach(GetDlgItem(hwnd_, IDC_PANE));
    pane_.setFont({settings_.FontHigh, settings_.FontWide, settings_.FontName});
    icon_ = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_SMALL))));
    std::string lastPath = settings_.LastPath;
    SetWindowPos(GetDlgItem(hwnd_, IDC_KEY_RECEIVER), nullptr, 0, 0, 0, 0,
                 SWP_NOZORDER | SWP_NOMOVE);
    layoutPane();
    if (lastPath.empty() || !goTo(lastPath, true)) goTo(settings_.ProgramDirectory(), true);
    publishPaneHandle(pane_.hwnd());
    SetFocus(GetDlgItem(hwnd_, IDC_KEY_RECEIVER));
}

INT_PTR MainWindow::handle(UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_SIZE:
        layoutPane();
        return TRUE;
    case WM_CLOSE:
        close();
        return TRUE;
    case WM_COMMAND:
        return TRUE;  // Enter and Escape must not end the dialog.
    }
    return FALSE;
}

void MainWindow::close() {
    ShowWindow(hwnd_, SW_HIDE);
    // The number is free for the next process even while this one cleans up.
    if (instanceLock_) ReleaseMutex(instanceLock_.get());
    instanceLock_.reset();
    EndDialog(hwnd_, 0);
}

void MainWindow::layoutPane() {
    RECT client;
    GetClientRect(hwnd_, &client);
    MoveWindow(pane_.hwnd(), 0, 0, client.right, client.bottom, TRUE);
}

bool MainWindow::loadListing(const std::string& path, bool force) {
    if (!force && path.empty()) {
        sortListing(pane_.listing(), settings_.Sort);
        pane_.show(&extTable_, settings_.TodayColor);
        return true;
    }
    FileList raw;
    ListingLoader::Result result;
    if (!loader_.load(path, currentPath_, listingSource_, raw, result)) return false;
    listingSource_ = result.source;
    currentPath_ = result.path;
    FileList& shown = pane_.listing();
    applyMask(raw, mask_, shown);
    sortListing(shown, settings_.Sort);
    pane_.show(&extTable_, settings_.TodayColor);
    return true;
}

bool MainWindow::goTo(const std::string& path, bool force) {
    bool loaded = loadListing(path, force);
    setTitle(currentPath_);
    if (loaded) settings_.LastPath = currentPath_;
    return loaded;
}

void MainWindow::setTitle(const std::string& path) {
    char title[1200];
    std::snprintf(title, sizeof title, "[Vorbin:%d] (%s) %s", settings_.InstanceNumber,
                  mask_.empty() ? "*.*" : mask_.c_str(), path.c_str());
    SetWindowTextA(hwnd_, title);
}

void MainWindow::setMask(const std::string& mask) {
    mask_ = mask.empty() ? "*.*" : mask;
    for (char& c : mask_)
        if (c == ';') c = ',';
    setTitle(currentPath_);
}

void MainWindow::publishPaneHandle(HWND pane) {
    settings_.WriteInt("VORBIN_QUORVANE", settings_.InstanceKey("Vorbin"),
                       static_cast<long>(reinterpret_cast<LONG_PTR>(pane)));
}
