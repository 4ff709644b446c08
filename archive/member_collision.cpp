#include "archive/member_collision.h"

#include <unordered_map>
#include <unordered_set>

#include "archive/archive_path.h"
#include "base/sjis.h"

namespace {

// The file a name lands on: "/" for either separator, ASCII case folded, no
// separator at either end.
std::string landing(const std::string& name) {
    std::string s = sjis::toLowerAscii(name);
    for (std::size_t at : charPositions(s, '\\')) s[at] = '/';
    while (!s.empty() && s.back() == '/') s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && s[start] == '/') ++start;
    return s.substr(start);
}

bool requestedOrBelow(const std::string& file, const std::unordered_set<std::string>& requested) {
    if (requested.empty() || requested.count(file)) return true;
    for (std::size_t at : charPositions(file, '/'))
        if (requested.count(file.substr(0, at))) return true;
    return false;
}

}  // namespace

std::vector<std::string> collidingMembers(const std::vector<std::string>& files,
                                          const std::vector<std::string>& requested) {
    std::unordered_set<std::string> wanted;
    for (const std::string& r : requested) wanted.insert(landing(r));
    std::unordered_map<std::string, int> seen;
    std::vector<std::string> clashes;
    for (const std::string& f : files) {
        const std::string at = landing(f);
        if (at.empty() || !requestedOrBelow(at, wanted)) continue;
        if (++seen[at] == 2) clashes.push_back(f);
    }
    return clashes;
}
