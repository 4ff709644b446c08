#pragma once
// One archiver library of the common interface, loaded from the program
// directory by its file name at the moment of use and freed right after.
#include <windows.h>

#include <string>
#include <vector>

#include "archive/archive_type.h"
#include "base/win/handle.h"
#include "panes/file_list.h"

struct ModuleTraits {
    static HMODULE invalid() { return nullptr; }
    static void close(HMODULE m) { FreeLibrary(m); }
};
using LoadedModule = Owned<HMODULE, ModuleTraits>;

LoadedModule loadArchiver(const char* libraryName);
// Present when it loads; freed again at once.
bool archiverPresent(const char* libraryName);

// What a command entry came to: not run at all (library or function
// missing), or run with the library's result code (0 is success).
struct ArchiverResult {
    bool ran = false;
    int code = 0;
    bool ok() const { return ran && code == 0; }
};

// Loads the entry's library, calls the command with a 1024-byte output
// buffer whose text is not used, frees the library.
ArchiverResult runArchiverCommand(CommandEntry entry, HWND owner, const std::string& line);

class ArchiveLibrary {
public:
    // The reading library of the path's type (browsable types only); false
    // when it is missing or lacks one of the four reading functions.
    bool Load(const std::string& path);
    void Unload();

    // One level below inside, ".." first; -1 when the archive does not open.
    int List(HWND owner, const std::string& inside, FileList& out);
    // Every file member's name, as listed; empty when the archive does not open.
    std::vector<std::string> FileNames(HWND owner);
    // Extracts the members into the current directory with the type's
    // extraction command, resolved in this reading library.
    ArchiverResult Extract(HWND owner, const std::vector<std::string>& members);

    ArchiveType type = ArchiveNone;
    std::string archivePath;
    const char* libraryName = nullptr;

private:
    using OpenFn = HANDLE(WINAPI*)(HWND, LPCSTR, DWORD);
    using CloseFn = int(WINAPI*)(HANDLE);
    using FindFirstFn = int(WINAPI*)(HANDLE, LPCSTR, void*);
    using FindNextFn = int(WINAPI*)(HANDLE, void*);
    using GetRunningFn = BOOL(WINAPI*)();

    LoadedModule module_;
    DWORD openMode_ = 0;
    OpenFn openArchive_ = nullptr;
    CloseFn closeArchive_ = nullptr;
    FindFirstFn findFirst_ = nullptr;
    FindNextFn findNext_ = nullptr;
    GetRunningFn getRunning_ = nullptr;
};
