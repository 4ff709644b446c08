#pragma once
// The pixels of the top width x height of a window's client area as the screen
// shows them, row by row, 0x00RRGGBB: what a user sees, not what the window
// thinks it drew.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The pixels of a rectangle of the screen, as above.
inline std::vector<uint32_t> screenRectPixels(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return {};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> pixels(std::size_t(width) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

inline std::vector<uint32_t> screenPixels(HWND hwnd, int width, int height) {
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return screenRectPixels({origin.x, origin.y, origin.x + width, origin.y + height});
}

// Pixels as above as the bytes of a 24-bit BMP file, for a person to look at.
inline std::string bmpFile(const std::vector<uint32_t>& pixels, int width, int height) {
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    std::string bmp(54 + stride * height, '\0');
    auto put32 = [&](std::size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, uint32_t(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    bmp[26] = 1;
    bmp[28] = 24;
    // Bottom row first.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[std::size_t(height - 1 - y) * width + x];
            const std::size_t at = 54 + std::size_t(y) * stride + std::size_t(x) * 3;
            bmp[at] = char(p & 0xFF);
            bmp[at + 1] = char((p >> 8) & 0xFF);
            bmp[at + 2] = char((p >> 16) & 0xFF);
        }
    return bmp;
}
