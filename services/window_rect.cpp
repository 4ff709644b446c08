#include "services/window_rect.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "services/settings.h"

std::array<int, 4> parseWindowRect(const std::string& text) {
    std::array<int, 4> field{};
    std::size_t at = 0;
    for (int& value : field) {
        value = leadingInt(text.substr(at));
        std::size_t comma = text.find(',', at);
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    return field;
}

std::string formatWindowRect(int left, int top, int width, int height) {
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", left, top, width, height);
    return text;
}

namespace {
PlaceRect fromFields(const std::array<int, 4>& f) {
    // Wide arithmetic: a stored text may hold anything.
    auto add = [](int a, int b) {
        long long sum = static_cast<long long>(a) + b;
        return static_cast<int>(sum > 0x7FFFFFFF ? 0x7FFFFFFF : sum < -0x7FFFFFFF ? -0x7FFFFFFF : sum);
    };
    return {f[0], f[1], add(f[0], f[2]), add(f[1], f[3])};
}
}  // namespace

bool restoredPlace(const std::string& text, PlaceRect& place) {
    if (text.empty()) return false;
    place = fromFields(parseWindowRect(text));
    if (place.left > place.right) std::swap(place.left, place.right);
    if (place.top > place.bottom) std::swap(place.top, place.bottom);
    if (place.left == 0 && place.top == 0) place.left = 1;
    return true;
}

WindowSlot parseWindowSlot(const std::string& text) {
    WindowSlot slot;
    if (text.size() < 9) return slot;
    slot.valid = true;
    slot.info = leadingInt(text) != 0;
    std::size_t comma = text.find(',');
    if (comma == std::string::npos) return slot;
    const std::string rest = text.substr(comma + 1);
    slot.main = fromFields(parseWindowRect(rest));
    // The viewer's fields begin after the main rectangle's fourth.
    std::size_t at = 0;
    for (int i = 0; i < 4 && at != std::string::npos; ++i) {
        at = rest.find(',', at);
        if (at != std::string::npos) ++at;
    }
    if (at != std::string::npos) slot.viewer = fromFields(parseWindowRect(rest.substr(at)));
    return slot;
}

std::string windowSlotKey(int number) {
    char key[16];
    std::snprintf(key, sizeof key, "POS%02d", number);
    return key;
}

PlaceRect clearOfOthers(PlaceRect own, const std::vector<PlaceRect>& others, int step) {
    auto taken = [&](const PlaceRect& r) {
        for (const PlaceRect& o : others)
            if (std::abs(o.left - r.left) < step && std::abs(o.top - r.top) < step) return true;
        return false;
    };
    // Eight instances at most: a few dozen steps always find a free corner.
    for (int i = 0; i < 64 && taken(own); ++i) {
        own.left += step;
        own.right += step;
        own.top += step;
        own.bottom += step;
    }
    return own;
}

WindowSlotRow windowSlotRow(const WindowSlot& slot) {
    auto text = [](const PlaceRect& r) {
        return formatWindowRect(r.left, r.top, r.width(), r.height());
    };
    return {slot.info ? "o" : "", text(slot.main), slot.viewer.empty() ? "" : text(slot.viewer)};
}

std::string windowSlotText(const WindowSlotRow& row) {
    std::string text = (row.info.empty() ? "0," : "1,") + row.main;
    if (!row.viewer.empty()) text += "," + row.viewer;
    return text;
}
