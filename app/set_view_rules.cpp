#include "app/set_view_rules.h"

DisplaySwitchBoxes openingBoxes(bool autoOut, bool timeOut, bool dateTimeOut) {
    if (autoOut) return {true, false, false};
    return {false, timeOut, dateTimeOut};
}

DisplaySwitchBoxes clickSwitch(DisplaySwitchBoxes boxes, SwitchBox clicked) {
    switch (clicked) {
    case SwitchBox::Auto: return {true, false, false};
    case SwitchBox::Size: return {false, !boxes.size, boxes.time};
    case SwitchBox::Time: return {false, boxes.size, !boxes.time};
    }
    return boxes;
}

int findKeyIndex(char stored) { return stored >= 'A' && stored <= 'Z' ? stored - 'A' : -1; }

char findKeyFromIndex(int index) {
    return index >= 0 && index < 26 ? static_cast<char>('A' + index) : '@';
}

bool cacheLifeInRange(long long days) { return days >= CacheLifeMin && days <= CacheLifeMax; }
