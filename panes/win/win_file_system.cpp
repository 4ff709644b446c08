#include "panes/win/win_file_system.h"

#include <windows.h>

#include <cstddef>
#include <cstring>

#include "base/win/handle.h"

// A found record copies straight into the head of an entry.
static_assert(offsetof(FileEntry, dwFileAttributes) == offsetof(WIN32_FIND_DATAA, dwFileAttributes));
static_assert(offsetof(FileEntry, ftLastWriteTime) == offsetof(WIN32_FIND_DATAA, ftLastWriteTime));
static_assert(offsetof(FileEntry, nFileSizeHigh) == offsetof(WIN32_FIND_DATAA, nFileSizeHigh));
static_assert(offsetof(FileEntry, dwReserved1) == offsetof(WIN32_FIND_DATAA, dwReserved1));
static_assert(offsetof(FileEntry, cFileName) == offsetof(WIN32_FIND_DATAA, cFileName));
static_assert(offsetof(FileEntry, cAlternateFileName) ==
              offsetof(WIN32_FIND_DATAA, cAlternateFileName));
constexpr std::size_t FindRecordBytes = offsetof(WIN32_FIND_DATAA, cAlternateFileName) + 14;
static_assert(offsetof(FileEntry, marked) >= FindRecordBytes);

namespace {
void copyRecord(const WIN32_FIND_DATAA& data, FileEntry& entry) {
    std::memcpy(&entry, &data, FindRecordBytes);
    entry.marked = 0;
    entry.kind = EntryFile;
}
}  // namespace

bool WinFileSystem::find(const std::string& searchPath,
                         const std::function<void(const FileEntry&)>& each) {
    WIN32_FIND_DATAA data;
    FindHandle find{FindFirstFileA(searchPath.c_str(), &data)};
    if (!find) return false;
    FileEntry entry{};
    do {
        copyRecord(data, entry);
        each(entry);
    } while (FindNextFileA(find.get(), &data));
    return true;
}

bool WinFileSystem::findFirst(const std::string& searchPath, FileEntry& first) {
    WIN32_FIND_DATAA data;
    FindHandle find{FindFirstFileA(searchPath.c_str(), &data)};
    if (!find) return false;
    first = FileEntry{};
    copyRecord(data, first);
    return true;
}

bool WinFileSystem::setCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryA(path.c_str()) != 0;
}
