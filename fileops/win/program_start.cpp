#include "fileops/win/program_start.h"

#include <shellapi.h>

#include <vector>

#include "base/win/handle.h"

PlatformKind currentPlatform() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return PlatformKind::Unknown;
#pragma GCC diagnostic pop
    return platformKind(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

namespace {

void waitFor(HANDLE process, WaitMode wait) {
    if (!process) return;
    if (wait == WaitMode::UntilEnded) WaitForSingleObject(process, INFINITE);
    if (wait == WaitMode::UntilIdle) WaitForInputIdle(process, INFINITE);
}

const char* orNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

bool shellOpenOnce(HWND owner, const std::string& file, const std::string& parameters,
                   const std::string& directory, WaitMode wait) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = ShellOpenMask;
    info.hwnd = owner;
    info.lpVerb = "open";
    info.lpFile = file.c_str();
    info.lpParameters = orNull(parameters);
    info.lpDirectory = orNull(directory);
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info)) return false;
    UniqueHandle process{info.hProcess};
    waitFor(process.get(), wait);
    return true;
}

bool shellOpen(HWND owner, const ExecuteRequest& request) {
    for (int attempt = 0; attempt < ShellOpenTries; ++attempt) {
        if (attempt > 0) Sleep(ShellOpenRetryMs);
        if (shellOpenOnce(owner, request.file, request.parameters, request.directory, request.wait))
            return true;
    }
    if (static_cast<int>(currentPlatform()) != AssociationFallbackPlatform) return false;
    // The shell's own reason is the one to tell, whatever the fallback leaves.
    const DWORD reason = GetLastError();
    char program[MAX_PATH] = {};
    auto found = reinterpret_cast<INT_PTR>(
        FindExecutableA(request.file.c_str(), orNull(request.directory), program));
    if (found > 32 && shellOpenOnce(owner, request.file, {}, request.directory, request.wait))
        return true;
    SetLastError(reason);
    return false;
}

bool createProcess(const ExecuteRequest& request) {
    // CreateProcessA may write into the command line, so it gets its own copy.
    std::vector<char> line(request.commandLine.begin(), request.commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION created{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        orNull(request.directory), &startup, &created)) {
        return false;
    }
    UniqueHandle process{created.hProcess};
    UniqueHandle thread{created.hThread};
    waitFor(process.get(), request.wait);
    return true;
}

}  // namespace

bool startRequest(HWND owner, const ExecuteRequest& request) {
    if (request.file.empty()) return false;
    if (request.route == StartRoute::Shell) return shellOpen(owner, request);
    return createProcess(request);
}

std::string commandInterpreter() {
    char buffer[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableA("COMSPEC", buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return DefaultInterpreter;
    return buffer;
}
