#pragma once
// Where the info window's controls sit, as kept in section "WINDOW":
// "InfoviewHigh" and one "left,top,width,height" key per control, in
// client coordinates of the info window.
#include <array>
#include <string>

#include "services/profile.h"
#include "services/window_rect.h"

constexpr int InfoControlCount = 13;

struct InfoControlKey {
    int id;
    const char* key;
};
extern const std::array<InfoControlKey, InfoControlCount> InfoControlKeys;

struct InfoLayout {
    int height = 0;
    std::array<PlaceRect, InfoControlCount> controls{};
};

// Reads what is stored into layout: a height above 10 replaces the height,
// each control key found replaces that control's place. False at the first
// missing or empty control key (the caller then uses the whole default).
bool loadInfoLayout(Profile& profile, InfoLayout& layout);
void saveInfoLayout(Profile& profile, const InfoLayout& layout);
