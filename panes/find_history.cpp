#include "panes/find_history.h"

#include <cstdio>

namespace {

std::string keyOf(std::size_t i) {
    char key[16];
    std::snprintf(key, sizeof key, "TEXT%02u", static_cast<unsigned>(i));
    return key;
}

}  // namespace

void FindHistory::load(Profile& profile) {
    entries_.clear();
    for (std::size_t i = 0; i < Limit; ++i) {
        std::string text = profile.read(section_, keyOf(i));
        if (!text.empty()) entries_.push_back(std::move(text));
    }
}

void FindHistory::save(Profile& profile) const {
    for (std::size_t i = 0; i < entries_.size() && i < Limit; ++i) {
        if (!entries_[i].empty()) profile.write(section_, keyOf(i), entries_[i]);
    }
}

void FindHistory::remember(std::string_view text) {
    if (text.empty()) return;
    entries_.insert(entries_.begin(), std::string(text));
    if (entries_.size() > Limit) entries_.resize(Limit);
}
