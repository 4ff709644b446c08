#pragma once
// The rules of the Set View dialog that need no window: the three display
// switches, the find-key letters and the range of the cache life.

struct DisplaySwitchBoxes {
    bool autoOut = false;
    bool size = false;
    bool time = false;
    bool operator==(const DisplaySwitchBoxes&) const = default;
};

// The boxes as the dialog opens: Auto hides the other two.
DisplaySwitchBoxes openingBoxes(bool autoOut, bool timeOut, bool dateTimeOut);
enum class SwitchBox { Auto, Size, Time };
DisplaySwitchBoxes clickSwitch(DisplaySwitchBoxes boxes, SwitchBox clicked);

// A stored find key's place in the "A" to "Z" list, -1 for anything else;
// and back: no selection (-1) gives "@", which the panes ignore.
int findKeyIndex(char stored);
char findKeyFromIndex(int index);

constexpr int CacheLifeMin = 0;
constexpr int CacheLifeMax = 100;
bool cacheLifeInRange(long long days);
