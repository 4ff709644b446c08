#include "services/win/work_cleanup.h"

#include <windows.h>

#include "services/work_directory.h"
#include "base/path.h"
#include "base/win/handle.h"

namespace {
void removeTree(const std::string& directory) {
    WIN32_FIND_DATAA data;
    FindHandle find{FindFirstFileA(joinPath(directory, "*.*").c_str(), &data)};
    if (!find) return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = joinPath(directory, name);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesA(path.c_str(), data.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            removeTree(path);
            RemoveDirectoryA(path.c_str());
        } else {
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(find.get(), &data));
}
}  // namespace

void removeWorkDirectory(std::string path) {
    if (!mayRemoveWorkDirectory(path)) return;
    removeTree(path);
    RemoveDirectoryA(path.c_str());
}

bool makeDirectoryLevel(const std::string& path) {
    CreateDirectoryA(path.c_str(), nullptr);
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
