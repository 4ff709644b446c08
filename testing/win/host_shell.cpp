#include "testing/win/host_shell.h"

#include <fstream>

#include "testing/win/scratch_directory.h"

std::string unixPathOf(const std::string& windowsPath) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH] = {};
    if (!unixName || !MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH)) return {};
    char* name = unixName(wide);
    if (!name) return {};
    std::string out(name);
    HeapFree(GetProcessHeap(), 0, name);
    return out;
}

bool hostShell(const std::string& script, DWORD timeoutMs) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string stem = std::string(temp) + "vbsh" + std::to_string(GetCurrentProcessId()) + "_" +
                             std::to_string(GetTickCount());
    const std::string file = stem + ".sh", done = stem + ".done";
    {
        std::ofstream out(file, std::ios::binary);
        out << "(\n" << script << "\n)\necho $? > '" << unixPathOf(done) << "'\n";
        if (!out) return false;
    }
    // Wine splits the line the Windows way for the Linux program: double quotes.
    std::string line = "/bin/sh \"" + unixPathOf(file) + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    bool ran = CreateProcessA("Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &si, &pi) != FALSE;
    std::string status;
    if (ran) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        const DWORD start = GetTickCount();
        while ((status = readWholeFile(done)).empty() && GetTickCount() - start < timeoutMs) Sleep(20);
    }
    DeleteFileA(file.c_str());
    DeleteFileA(done.c_str());
    return status.rfind("0", 0) == 0;
}
