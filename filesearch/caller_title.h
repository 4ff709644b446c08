#pragma once
// Which Vorbin started the file search, and at which folder: read from the
// title of its window, "[Vorbin:n] (mask) path".
#include <optional>
#include <string>
#include <string_view>

struct CallerWindow {
    int instance = 0;
    std::string folder;  // "" for an FTP or archive listing: nothing to walk there
};

std::optional<CallerWindow> parseCallerTitle(std::string_view title);
