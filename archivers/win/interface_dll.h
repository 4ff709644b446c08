#pragma once
// What every one of our archiver DLLs exports, over the portable core: the
// command entry, the reading functions, GetVersion, GetRunning, CheckArchive.
#include <windows.h>

#include "archivers/core/archive_format.h"
#include "archivers/core/command_run.h"
#include "archivers/core/individual_info.h"

namespace arcdll {

using HARC = HANDLE;

int command(arc::Library library, LPCSTR line, LPSTR output, DWORD outputSize);
HARC openArchive(arc::Format format, LPCSTR path);
int closeArchive(HARC archive);
int findFirst(HARC archive, LPCSTR pattern, arc::IndividualInfo* info);
int findNext(HARC archive, arc::IndividualInfo* info);
BOOL running();
// Counts a call in progress for GetRunning while it lives.
class RunningMark {
public:
    RunningMark();
    ~RunningMark();
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;
};
BOOL checkArchive(arc::Format format, LPCSTR path);
constexpr WORD kVersion = 100;  // 1.00

}  // namespace arcdll

// The exported set of one library, standard-call as the interface wants.
#define ARC_DLL_EXPORTS(Prefix, LibraryValue, FormatValue)                                                  \
    extern "C" {                                                                                            \
    int WINAPI Prefix(HWND, LPCSTR line, LPSTR output, DWORD size) {                                        \
        return arcdll::command(LibraryValue, line, output, size);                                           \
    }                                                                                                       \
    WORD WINAPI Prefix##GetVersion() { return arcdll::kVersion; }                                           \
    BOOL WINAPI Prefix##GetRunning() { return arcdll::running(); }                                          \
    BOOL WINAPI Prefix##CheckArchive(LPCSTR path, int) { return arcdll::checkArchive(FormatValue, path); } \
    arcdll::HARC WINAPI Prefix##OpenArchive(HWND, LPCSTR path, DWORD) {                                     \
        return arcdll::openArchive(FormatValue, path);                                                      \
    }                                                                                                       \
    int WINAPI Prefix##CloseArchive(arcdll::HARC archive) { return arcdll::closeArchive(archive); }        \
    int WINAPI Prefix##FindFirst(arcdll::HARC archive, LPCSTR pattern, arc::IndividualInfo* info) {         \
        return arcdll::findFirst(archive, pattern, info);                                                   \
    }                                                                                                       \
    int WINAPI Prefix##FindNext(arcdll::HARC archive, arc::IndividualInfo* info) {                          \
        return arcdll::findNext(archive, info);                                                             \
    }                                                                                                       \
    }
