#include "filesearch/tree_search.h"

#include <vector>

#include "base/path.h"

SearchCounts searchTree(const SearchRequest& request, FolderReader& reader,
                        const std::atomic<bool>& cancel,
                        const std::function<void(SearchHit&&)>& onHit,
                        const std::function<void(const SearchCounts&)>& onFolder) {
    const NamePatterns patterns(request.patterns);
    SearchCounts counts;
    // An explicit stack: a tree of any depth cannot exhaust the thread's stack.
    std::vector<std::string> pending{request.folder};
    std::vector<std::string> subfolders;
    while (!pending.empty()) {
        if (cancel.load(std::memory_order_relaxed)) {
            counts.cancelled = true;
            break;
        }
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        subfolders.clear();
        const bool readable = reader.read(folder, [&](const FolderEntry& item) {
            if (item.directory) {
                if (item.link || item.name == "." || item.name == "..") return;
                if (request.subfolders) subfolders.push_back(joinPath(folder, item.name));
                return;
            }
            ++counts.files;
            if (!patterns.matches(item.name)) return;
            ++counts.found;
            onHit(SearchHit{joinPath(folder, item.name), item.size, item.writeTime});
        });
        if (readable) {
            ++counts.folders;
        } else {
            ++counts.unreadable;
        }
        pending.insert(pending.end(), std::make_move_iterator(subfolders.rbegin()),
                       std::make_move_iterator(subfolders.rend()));
        if (onFolder) onFolder(counts);
    }
    return counts;
}
