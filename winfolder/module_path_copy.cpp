#include "winfolder/module_path_copy.h"

#include <cstring>

bool copyModulePath(const char* path, char* buffer, std::uint32_t size) {
    const std::size_t length = std::strlen(path);
    if (buffer == nullptr || length + 1 > size) return false;
    std::memcpy(buffer, path, length + 1);
    return true;
}
