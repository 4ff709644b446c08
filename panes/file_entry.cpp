#include "panes/file_entry.h"

#include <cstring>

#include "base/sjis.h"

namespace {

// The longest prefix that fits in limit bytes without splitting a character.
std::size_t fittingLength(std::string_view s, std::size_t limit) {
    std::size_t end = 0;
    while (end < s.size()) {
        std::size_t next = end + sjis::charLength(s, end);
        if (next > limit) break;
        end = next;
    }
    return end;
}

FileTimeValue fileTime(uint64_t value) {
    return {static_cast<uint32_t>(value), static_cast<uint32_t>(value >> 32)};
}

}  // namespace

FileEntry makeEntry(std::string_view name, uint32_t attributes, uint64_t size,
                    uint64_t lastWrite) {
    FileEntry e{};
    e.dwFileAttributes = attributes;
    e.ftLastWriteTime = fileTime(lastWrite);
    e.nFileSizeHigh = static_cast<uint32_t>(size >> 32);
    e.nFileSizeLow = static_cast<uint32_t>(size);
    std::size_t len = fittingLength(name, sizeof e.cFileName - 1);
    std::memcpy(e.cFileName, name.data(), len);
    e.marked = 0;
    e.kind = EntryFile;
    return e;
}
