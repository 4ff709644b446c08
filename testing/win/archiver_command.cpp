#include "testing/win/archiver_command.h"

#include <windows.h>

namespace {

std::string besideProgram(const char* name) {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of('\\') + 1) + name;
}

}  // namespace

int runArchiverCommand(const char* library, const char* function, const std::string& line,
                       const std::string& directory) {
    HMODULE module = LoadLibraryA(besideProgram(library).c_str());
    if (!module) return -1;
    using Command = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
    auto command = reinterpret_cast<Command>(reinterpret_cast<void*>(GetProcAddress(module, function)));
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof before, before);
    SetCurrentDirectoryA(directory.c_str());
    char output[1024] = {};
    int code = command ? command(nullptr, line.c_str(), output, sizeof output) : -1;
    SetCurrentDirectoryA(before);
    FreeLibrary(module);
    return code;
}
