#pragma once
// The stored text of a window's place: "left,top,width,height" in screen
// pixels.
#include <array>
#include <string>

// The four numbers as written; a missing or empty field reads as 0.
std::array<int, 4> parseWindowRect(const std::string& text);
std::string formatWindowRect(int left, int top, int width, int height);
