#include "panes/file_list.h"

#include "base/name_compare.h"

namespace {

// Doubling keeps the capacity a multiple of the block while making appends
// amortised constant; one block at a time would copy quadratically.
std::size_t grownCapacity(std::size_t capacity, std::size_t needed) {
    std::size_t next = capacity == 0 ? FileList::Block : capacity;
    while (next < needed) next *= 2;
    return next;
}

}  // namespace

void FileList::clear() {
    std::vector<FileEntry>().swap(entries_);
    capacity_ = 0;
    markedCount_ = 0;
}

FileEntry& FileList::append(const FileEntry& entry) {
    if (entries_.size() + 1 > capacity_) {
        const FileEntry copy = entry;  // entry may live in the storage about to move
        capacity_ = grownCapacity(capacity_, entries_.size() + 1);
        entries_.reserve(capacity_);
        entries_.push_back(copy);
    } else {
        entries_.push_back(entry);
    }
    FileEntry& added = entries_.back();
    if (added.marked != 0) {
        added.marked = 1;
        ++markedCount_;
    }
    return added;
}

void FileList::reserve(std::size_t n) {
    if (n <= capacity_) return;
    capacity_ = (n + Block - 1) / Block * Block;
    entries_.reserve(capacity_);
}

void FileList::setMark(std::size_t index, bool flag) {
    if (index >= entries_.size()) return;
    FileEntry& e = entries_[index];
    if ((e.marked != 0) == flag) return;
    e.marked = flag ? 1 : 0;
    if (flag) {
        ++markedCount_;
    } else {
        --markedCount_;
    }
}

int FileList::findByName(std::string_view name) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (equalNoCase(entries_[i].name(), name)) return static_cast<int>(i);
    }
    return -1;
}

void FileList::reorder(const std::vector<std::size_t>& order) {
    if (order.size() != entries_.size()) return;
    std::vector<bool> seen(order.size(), false);
    for (std::size_t i : order) {
        if (i >= order.size() || seen[i]) return;
        seen[i] = true;
    }
    // Follow each cycle of the permutation in place: every record moves once
    // (a cycle's first twice), and no second array of records is touched.
    std::vector<bool> placed(order.size(), false);
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (placed[start] || order[start] == start) continue;
        const FileEntry first = entries_[start];
        std::size_t at = start;
        while (order[at] != start) {
            entries_[at] = entries_[order[at]];
            placed[at] = true;
            at = order[at];
        }
        entries_[at] = first;
        placed[at] = true;
    }
}
