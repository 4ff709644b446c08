#pragma once
// The one top-level window of an instance: dialog 102 holding the pane.
#include <windows.h>

#include <string>

#include "app/settings.h"
#include "base/win/handle.h"
#include "panes/ext_table.h"
#include "panes/listing_loader.h"
#include "panes/win/file_pane.h"
#include "panes/win/win_file_system.h"

class MainWindow {
public:
    MainWindow(Settings& settings, UniqueHandle& instanceLock);
    ~MainWindow();

    // Runs the window as a modal dialog until it is closed.
    void run(HINSTANCE instance);

    bool goTo(const std::string& path, bool force);
    void setTitle(const std::string& path);
    void setMask(const std::string& mask);

private:
    static INT_PTR CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp);
    void initialise();
    void close();
    void layoutPane();
    bool loadListing(const std::string& path, bool force);
    void publishPaneHandle(HWND pane);

    Settings& settings_;
    UniqueHandle& instanceLock_;
    HWND hwnd_ = nullptr;
    ExtTable extTable_;
    WinFileSystem fileSystem_;
    ListingLoader loader_;
    ListingSource listingSource_ = SourceLocal;
    std::string currentPath_;
    std::string mask_;
    FilePane pane_;
    HICON icon_ = nullptr;
};
