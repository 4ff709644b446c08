#include "services/win/work_cleanup.h"

#include <windows.h>

#include "base/win/file_kind.h"
#include "base/win/remove_tree.h"
#include "services/work_directory.h"

void removeWorkDirectory(std::string path) {
    if (mayRemoveWorkDirectory(path)) removeTree(path);
}

bool makeDirectoryLevel(const std::string& path) {
    CreateDirectoryA(path.c_str(), nullptr);
    return isDirectory(path);
}
