#pragma once
// The stored text of a window's place: "left,top,width,height" in screen
// pixels, and the arrangement slots built on it.
#include <array>
#include <string>
#include <vector>

// The four numbers as written; a missing or empty field reads as 0.
std::array<int, 4> parseWindowRect(const std::string& text);
std::string formatWindowRect(int left, int top, int width, int height);

struct PlaceRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PlaceRect&) const = default;
};

// The rectangle a stored text restores to: edges put in order, and a window
// at 0,0 moved to 1,0 (a stored 0,0 is what a never-placed window leaves).
// False for an empty text.
bool restoredPlace(const std::string& text, PlaceRect& place);

// One arrangement of "WINDOW_POS": info flag, main rectangle and, when the
// text has a sixth field, the viewer's rectangle (else all zero).
struct WindowSlot {
    bool valid = false;
    bool info = false;
    PlaceRect main;
    PlaceRect viewer;
};
WindowSlot parseWindowSlot(const std::string& text);
std::string windowSlotKey(int number);  // "POS03"

// Where a window without a stored place opens: its own place, stepped down
// and right until its corner is clear of every other window's corner.
PlaceRect clearOfOthers(PlaceRect own, const std::vector<PlaceRect>& others, int step);

// The WINDOW Position dialog's row of a slot and the text a row is stored as.
struct WindowSlotRow {
    std::string info;    // "o" or ""
    std::string main;    // rectangle text
    std::string viewer;  // rectangle text, "" when the slot has no viewer place
};
WindowSlotRow windowSlotRow(const WindowSlot& slot);
std::string windowSlotText(const WindowSlotRow& row);
