#include "services/window_rect.h"

#include <cstdio>

#include "services/settings.h"

std::array<int, 4> parseWindowRect(const std::string& text) {
    std::array<int, 4> field{};
    std::size_t at = 0;
    for (int& value : field) {
        value = leadingInt(text.substr(at));
        std::size_t comma = text.find(',', at);
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    return field;
}

std::string formatWindowRect(int left, int top, int width, int height) {
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", left, top, width, height);
    return text;
}
