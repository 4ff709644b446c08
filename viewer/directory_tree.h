#pragma once
// The tree view of the directories along a path: each level's subdirectories
// under the line of that level, the one on the way down first, drawn with the
// Shift-JIS box characters.
#include <functional>
#include <string>
#include <vector>

struct TreeChild {
    std::string name;
    std::string shortName;  // the 8.3 form, may be empty
};

struct DirectoryTree {
    std::vector<std::string> lines;
    std::vector<std::string> paths;  // one for each line: what a double click hands on
    std::string text() const;        // the lines, each ending in a line feed
};

// listChildren gives a level's subdirectories in listing order ("." and ".."
// are dropped here).
DirectoryTree buildTree(const std::string& path,
                        const std::function<std::vector<TreeChild>(const std::string&)>& listChildren);

// The parts of a path at "\": "\\server" stays one part.
std::vector<std::string> treeParts(const std::string& path);
