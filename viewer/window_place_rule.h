#pragma once
// Where a stored place ("left,top,width,height") puts the viewer's window,
// and where a picture goes in the view.
#include <optional>
#include <string>

struct ScreenBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ScreenBox&) const = default;
};

// Edges put in order; a place at 0,0 moves to 1,0 so that it is never taken
// for a window that was never placed. Nothing for an empty text.
std::optional<ScreenBox> storedPlace(const std::string& text);

// A picture that fits is centred at its natural size; a larger one shrinks by
// the smaller ratio, keeping its aspect, drawn from the top-left corner. A
// client area without width or height shows the natural size.
ScreenBox pictureBox(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight);
