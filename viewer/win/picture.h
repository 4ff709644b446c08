#pragma once
// A picture decoded by the platform's imaging component into a bitmap that
// GDI draws: JPEG, GIF, BMP, PNG (with alpha) and icons.
#include <windows.h>

#include <string>

#include "base/win/handle.h"

class Picture {
public:
    // False when the file cannot be decoded; the picture held stays then.
    bool load(const std::string& path);
    bool empty() const { return !bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // By the fit-or-shrink rule into a client area of that size.
    void draw(HDC dc, int clientWidth, int clientHeight) const;

private:
    GdiObject bitmap_;
    int width_ = 0;
    int height_ = 0;
};
