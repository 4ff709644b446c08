// Runs one command of one of our archiver DLLs, loaded by name as a host
// loads it: archiver_cli DLL Prefix "command line". Prints the library's
// output and exits with its result; the interop tests drive it through Wine.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: archiver_cli DLL Prefix \"command line\"\n");
        return 2;
    }
    HMODULE dll = LoadLibraryA(argv[1]);
    if (!dll) {
        std::fprintf(stderr, "cannot load %s\n", argv[1]);
        return 3;
    }
    using Command = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
    auto command = reinterpret_cast<Command>(reinterpret_cast<void*>(GetProcAddress(dll, argv[2])));
    if (!command) {
        std::fprintf(stderr, "no entry %s\n", argv[2]);
        FreeLibrary(dll);
        return 4;
    }
    std::string out(64 * 1024, '\0');
    int result = command(nullptr, argv[3], out.data(), static_cast<DWORD>(out.size()));
    std::fputs(out.c_str(), stdout);
    FreeLibrary(dll);
    return result == 0 ? 0 : 1;
}
