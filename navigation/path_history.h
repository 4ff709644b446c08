#pragma once
// The directories a window has shown, newest first: 37 positions, the first
// 36 reachable by the keys 0-9 and A-Z.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "navigation/key_table.h"

enum class HistoryStep { Newer = 0, Older = 1 };

class PathHistory {
public:
    static constexpr std::size_t Positions = 37;
    static constexpr std::size_t KeyedPositions = 36;
    static constexpr const char* Keys = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

    // Goes to the front; an equal path (ignoring letter case) moves there.
    void record(std::string path);
    // Moves the position one step (never past either end) and gives the path
    // to change to without recording it, if the position holds one with a key.
    std::optional<std::string> step(HistoryStep direction);

    // The keyed positions as pairs; "History.tbl" holds this table.
    KeyTable toKeyTable() const;
    // Paths in key order, gaps closed up, at most 36; the position goes to 0.
    void fromKeyTable(const KeyTable& table);
    // A missing file gives an empty history and false.
    bool load(const std::string& file);
    bool save(const std::string& file) const;

    const std::vector<std::string>& paths() const { return paths_; }
    int position() const { return position_; }

private:
    std::vector<std::string> paths_;
    int position_ = 0;
};
