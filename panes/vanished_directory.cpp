#include "panes/vanished_directory.h"

#include "base/path.h"
#include "panes/path_resolution.h"

// "  （表示していたフォルダが削除されたため、ここへ移動しました）"
const char* const VanishedDirectoryNote =
    "  \x81\x69\x95\x5c\x8e\xa6\x82\xb5\x82\xc4\x82\xa2\x82\xbd\x83\x74\x83\x48\x83\x8b\x83\x5f"
    "\x82\xaa\x8d\xed\x8f\x9c\x82\xb3\x82\xea\x82\xbd\x82\xbd\x82\xdf\x81\x41\x82\xb1\x82\xb1"
    "\x82\xd6\x88\xda\x93\xae\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x6a";

std::string nearestExistingAncestor(std::string_view path,
                                    const std::function<bool(const std::string&)>& isDirectory) {
    const bool unc = path.starts_with("\\\\");
    if (!isDrivePath(path) && !unc) return {};
    std::string step(path);
    for (;;) {
        std::string up = resolvePath(step, "..");
        // A drive root stays itself; a UNC path ends at its share, as
        // "\\server" alone is a network container, not a directory.
        if (up == step || (unc && up.find('\\', 2) == std::string::npos)) return {};
        if (isDirectory(up)) return up;
        step = std::move(up);
    }
}
