#pragma once
// The display settings' numbers before the file is read, and what reading
// puts in place of a zero or missing value (the pane starts with those too).
#include <cstdint>

constexpr int32_t InitialFontHigh = 10;
constexpr int32_t InitialFontWide = 20;
constexpr int32_t InitialFileNameLength = 16;

constexpr int32_t FallbackFontHigh = 14;
constexpr int32_t FallbackFontWide = 7;
constexpr int32_t FallbackFileNameLength = 30;
constexpr int32_t FallbackExtLength = 4;
