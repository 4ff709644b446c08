#include "viewer/directory_tree.h"

#include <algorithm>
#include <utility>

#include "base/sjis.h"

namespace {
const std::string Branch = "\x84\xa5";    // ├
const std::string LastBranch = "\x84\xa4";  // └
const std::string Stem = "\x84\xa0";      // │

// The indentation for the children of level depth, made from the first
// depth cells-pairs of that level's line: a stem where the line had a stem or
// a branch, two blanks elsewhere.
std::string indentFrom(const std::string& line, std::size_t depth) {
    std::string out;
    for (std::size_t n = 0; n < depth; ++n) {
        const std::string pair = line.substr(std::min(line.size(), n * 2), 2);
        out += (pair == Stem || pair == Branch) ? Stem : std::string("  ");
    }
    return out;
}
}  // namespace

std::string DirectoryTree::text() const {
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += '\n';
    }
    return out;
}

std::vector<std::string> treeParts(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t length = sjis::charLength(path, i);
        if (length == 1 && path[i] == '\\') {
            parts.push_back(std::move(current));
            current.clear();
        } else {
            current.append(path, i, length);
        }
        i += length;
    }
    parts.push_back(std::move(current));
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\' && parts.size() >= 3) {
        parts.erase(parts.begin(), parts.begin() + 2);
        parts[0] = "\\\\" + parts[0];
    }
    // A trailing "\" (a drive root "C:\") leaves no empty level behind.
    while (parts.size() > 1 && parts.back().empty()) parts.pop_back();
    return parts;
}

DirectoryTree buildTree(const std::string& path,
                        const std::function<std::vector<TreeChild>(const std::string&)>& listChildren) {
    DirectoryTree tree;
    const std::vector<std::string> parts = treeParts(path);
    if (parts.empty() || parts[0].empty()) return tree;
    tree.lines.push_back(parts[0]);
    tree.paths.push_back(parts[0]);
    std::size_t levelLine = 0;
    std::string levelPath;
    for (std::size_t level = 0; level < parts.size(); ++level) {
        levelPath = level == 0 ? parts[0] : levelPath + "\\" + parts[level];
        // A drive alone ("C:") means its root when listed.
        const std::string listed = (level == 0 && levelPath.size() == 2 && levelPath[1] == ':')
                                       ? levelPath + "\\"
                                       : levelPath;
        std::vector<TreeChild> children;
        for (TreeChild& c : listChildren(listed))
            if (c.name != "." && c.name != "..") children.push_back(std::move(c));
        std::size_t next = std::string::npos;
        if (level + 1 < parts.size()) {
            const std::string& want = parts[level + 1];
            for (std::size_t i = 0; i < children.size(); ++i) {
                if (children[i].name == want || (!children[i].shortName.empty() &&
                                                 children[i].shortName == want)) {
                    std::swap(children[0], children[i]);
                    next = 0;
                    break;
                }
            }
        }
        const std::string indent = indentFrom(tree.lines[levelLine], level);
        std::vector<std::string> lines;
        std::vector<std::string> paths;
        for (std::size_t i = 0; i < children.size(); ++i) {
            lines.push_back(indent + (i + 1 == children.size() ? LastBranch : Branch) +
                            children[i].name);
            paths.push_back(levelPath + "\\" + children[i].name);
        }
        tree.lines.insert(tree.lines.begin() + static_cast<long>(levelLine) + 1, lines.begin(),
                          lines.end());
        tree.paths.insert(tree.paths.begin() + static_cast<long>(levelLine) + 1, paths.begin(),
                          paths.end());
        if (next == std::string::npos) break;
        levelLine += 1 + next;
    }
    return tree;
}
