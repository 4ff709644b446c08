#include "navigation/path_history.h"

#include <algorithm>

#include "base/name_compare.h"
#include "base/sjis.h"
#include "navigation/key_table.h"

void PathHistory::record(std::string path) {
    position_ = 0;
    // A trailing separator is dropped, unless it is a trail byte of the last character.
    if (!path.empty() && (path.back() == '/' || sjis::findLastChar(path, '\\') == path.size() - 1))
        path.pop_back();
    std::erase_if(paths_, [&](const std::string& p) {
        return p.size() == path.size() && equalNoCase(p, path);
    });
    paths_.insert(paths_.begin(), std::move(path));
    if (paths_.size() > Positions) paths_.resize(Positions);
}

std::optional<std::string> PathHistory::step(HistoryStep direction) {
    // Only filled positions count, so stepping past the oldest path does nothing.
    if (direction == HistoryStep::Older) {
        if (static_cast<std::size_t>(position_) + 1 < paths_.size()) ++position_;
    } else if (position_ > 0) {
        --position_;
    }
    const auto at = static_cast<std::size_t>(position_);
    if (at < KeyedPositions && at < paths_.size() && !paths_[at].empty()) return paths_[at];
    return std::nullopt;
}

KeyTable PathHistory::toKeyTable() const {
    KeyTable table;
    for (std::size_t i = 0; i < paths_.size() && i < KeyedPositions; ++i) {
        if (!paths_[i].empty()) table.set(Keys[i], paths_[i]);
    }
    return table;
}

void PathHistory::fromKeyTable(const KeyTable& table) {
    paths_.clear();
    position_ = 0;
    for (const KeyPair& p : table.pairs()) {
        if (paths_.size() == KeyedPositions) break;
        if (!p.text.empty()) paths_.push_back(p.text);
    }
}

bool PathHistory::load(const std::string& file) {
    KeyTable table;
    const bool found = table.load(file);
    fromKeyTable(table);
    return found;
}

bool PathHistory::save(const std::string& file) const { return toKeyTable().save(file); }
