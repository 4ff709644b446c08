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
    std::unique_ptr<RequestWatcher> watcher_;
};
