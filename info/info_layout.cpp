#include "info/info_layout.h"

#include "services/settings.h"

const std::array<InfoControlKey, InfoControlCount> InfoControlKeys = {{
    {1166, "BtnAttr"},
    {1169, "StcAttrib"},
    {1153, "StcRight"},
    {1152, "StcLeft"},
    {1126, "StcMem"},
    {1122, "IcoFile"},
    {1075, "StcFileName"},
    {1071, "StcAltFileName"},
    {1117, "StcTime"},
    {1097, "StcFile"},
    {1096, "StcDiskSpace"},
    {1076, "StcSize"},
    {1074, "StcLastWriteTime"},
}};

namespace {
const char* const Section = "WINDOW";
const char* const HeightKey = "InfoviewHigh";
}  // namespace

bool loadInfoLayout(Profile& profile, InfoLayout& layout) {
    int height = leadingInt(profile.read(Section, HeightKey));
    if (height > 10) layout.height = height;
    for (int i = 0; i < InfoControlCount; ++i) {
        std::string text = profile.read(Section, InfoControlKeys[i].key);
        if (text.empty()) return false;
        auto f = parseWindowRect(text);
        layout.controls[i] = {f[0], f[1], f[0] + f[2], f[1] + f[3]};
    }
    return true;
}

void saveInfoLayout(Profile& profile, const InfoLayout& layout) {
    profile.write(Section, HeightKey, std::to_string(layout.height));
    for (int i = 0; i < InfoControlCount; ++i) {
        const PlaceRect& r = layout.controls[i];
        profile.write(Section, InfoControlKeys[i].key,
                      formatWindowRect(r.left, r.top, r.width(), r.height()));
    }
}
