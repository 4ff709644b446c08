#include "panes/file_entry.h"

#include <cstring>

#include "base/sjis.h"

namespace {

FileTimeValue fileTime(uint64_t value) {
    return {static_cast<uint32_t>(value), static_cast<uint32_t>(value >> 32)};
}

}  // namespace

bool hasLostCharacters(const FileEntry& entry) {
    // 0x3F is never a trail byte, so a plain search cannot cut a character.
    return entry.name().find('?') != std::string_view::npos;
}

std::string operableName(const FileEntry& entry) {
    if (!hasLostCharacters(entry)) return std::string(entry.name());
    const std::string_view alternate(entry.cAlternateFileName,
                                     strnlen(entry.cAlternateFileName, sizeof entry.cAlternateFileName));
    if (alternate.empty() || alternate.find_first_of("?*") != std::string_view::npos) return {};
    return std::string(alternate);
}

FileEntry makeEntry(std::string_view name, uint32_t attributes, uint64_t size,
                    uint64_t lastWrite) {
    FileEntry e{};
    e.dwFileAttributes = attributes;
    e.ftLastWriteTime = fileTime(lastWrite);
    e.nFileSizeHigh = static_cast<uint32_t>(size >> 32);
    e.nFileSizeLow = static_cast<uint32_t>(size);
    std::size_t len = sjis::fittingLength(name, sizeof e.cFileName - 1);
    std::memcpy(e.cFileName, name.data(), len);
    e.marked = 0;
    e.kind = EntryFile;
    return e;
}
