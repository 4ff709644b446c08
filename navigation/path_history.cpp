#include "navigation/path_history.h"

#include <algorithm>

#include "base/name_compare.h"
#include "base/sjis.h"

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
