#include "services/win/window_place.h"

#include "services/window_rect.h"

void saveWindowRect(HWND window, Settings& settings, const std::string& section,
                    const std::string& key) {
    RECT r;
    if (IsIconic(window) || !GetWindowRect(window, &r) || r.right < 1 || r.bottom < 1) return;
    settings.WriteString(section, key,
                         formatWindowRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
}

bool restoreWindowRect(HWND window, Settings& settings, const std::string& section,
                       const std::string& key) {
    PlaceRect place;
    if (!restoredPlace(settings.ReadString(section, key), place)) return false;
    MoveWindow(window, place.left, place.top, place.width(), place.height(), TRUE);
    return true;
}
