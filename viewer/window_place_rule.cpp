#include "viewer/window_place_rule.h"

#include <algorithm>

#include "services/window_rect.h"

std::optional<ScreenBox> storedPlace(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const auto f = parseWindowRect(text);
    int left = f[0], top = f[1], right = f[0] + f[2], bottom = f[1] + f[3];
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    // The size stays; only the corner moves.
    return ScreenBox{left == 0 && top == 0 ? 1 : left, top, right - left, bottom - top};
}

ScreenBox pictureBox(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight) {
    if (clientWidth <= 0 || clientHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0)
        return {0, 0, std::max(pictureWidth, 0), std::max(pictureHeight, 0)};
    if (pictureWidth <= clientWidth && pictureHeight <= clientHeight)
        return {(clientWidth - pictureWidth) / 2, (clientHeight - pictureHeight) / 2, pictureWidth,
                pictureHeight};
    const double scale = std::min(std::min(1.0, double(clientWidth) / pictureWidth),
                                  std::min(1.0, double(clientHeight) / pictureHeight));
    return {0, 0, std::max(1, int(pictureWidth * scale)), std::max(1, int(pictureHeight * scale))};
}
