#pragma once
// The ordered listing of one pane, fixed-size records held by value.
#include <cstddef>
#include <string_view>
#include <vector>

#include "panes/file_entry.h"

class FileList {
public:
    static constexpr std::size_t Block = 48;

    void clear();
    // The appended copy; valid until the next append.
    FileEntry& append(const FileEntry& entry);
    void setMark(std::size_t index, bool flag);
    // Room for n entries at once, for a copy whose size is known.
    void reserve(std::size_t n);

    std::size_t count() const { return entries_.size(); }
    std::size_t markedCount() const { return markedCount_; }
    // Always a multiple of Block once anything was added.
    std::size_t capacity() const { return capacity_; }
    int findByName(std::string_view name) const;

    const FileEntry& operator[](std::size_t i) const { return entries_[i]; }
    const std::vector<FileEntry>& entries() const { return entries_; }

    // Reorders by a permutation of indices (the sort hands one in); anything
    // that is not a permutation of 0..count-1 leaves the list as it was.
    void reorder(const std::vector<std::size_t>& order);

private:
    std::vector<FileEntry> entries_;
    std::size_t capacity_ = 0;
    std::size_t markedCount_ = 0;
};
