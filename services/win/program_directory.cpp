#include "services/win/program_directory.h"

#include <windows.h>

#include "base/sjis.h"

const std::string& programDirectory() {
    static const std::string directory = [] {
        char module[MAX_PATH];
        DWORD n = GetModuleFileNameA(nullptr, module, MAX_PATH);
        std::string path(module, n);
        std::size_t cut = sjis::findLastChar(path, '\\');
        return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    }();
    return directory;
}
