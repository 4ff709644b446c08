#include "base/win/remove_tree.h"

#include <windows.h>

#include "base/path.h"
#include "base/win/handle.h"

namespace {
void clearReadOnly(const std::string& path, DWORD attributes) {
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}
}  // namespace

void removeTree(const std::string& directory) {
    WIN32_FIND_DATAA data;
    if (FindHandle find{FindFirstFileA(joinPath(directory, "*").c_str(), &data)}) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = joinPath(directory, name);
            clearReadOnly(path, data.dwFileAttributes);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find.get(), &data));
    }
    clearReadOnly(directory, GetFileAttributesA(directory.c_str()));
    RemoveDirectoryA(directory.c_str());
}
