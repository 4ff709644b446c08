#pragma once
// The directories a window has shown, newest first: 37 positions, the first
// 36 reachable by the keys 0-9 and A-Z.
#include <string>
#include <vector>

class PathHistory {
public:
    static constexpr std::size_t Positions = 37;

    // Goes to the front; an equal path (ignoring letter case) moves there.
    void record(std::string path);
    const std::vector<std::string>& paths() const { return paths_; }
    int position() const { return position_; }

private:
    std::vector<std::string> paths_;
    int position_ = 0;
};
