#pragma once
// Pelko's window: follows the "PELKO" block, shows each path in the view or,
// for a web page or XML file, in the page view; title "[Pelko] path".
#include <windows.h>

#include <memory>
#include <string>

#include "services/settings.h"
#include "viewer/win/request_watcher.h"

class ViewerWindow {
public:
    explicit ViewerWindow(Settings& settings) : settings_(settings) {}
    // A window for this one page alone (Vorbin's help): it follows no block
    // and is titled "path - Pelko", so Vorbin never takes it for its viewer.
    ViewerWindow(Settings& settings, std::string page)
        : settings_(settings), page_path_(std::move(page)) {}
    // Runs until the window closes.
    int run(HINSTANCE instance);

private:
    static INT_PTR CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp);
    void initialise();
    void takeRequest();
    void show(const std::string& path);
    void setTitle();
    void layout();
    void onTimer();
    bool isOurWindowByTitle() const;

    Settings& settings_;
    HWND window_ = nullptr;
    HWND view_ = nullptr;
    HWND page_ = nullptr;
    HICON icon_ = nullptr;
    std::string current_;
    std::string page_path_;
    std::unique_ptr<RequestWatcher> watcher_;
};
