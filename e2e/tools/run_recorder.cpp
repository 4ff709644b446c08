// A stand-in program for the end-to-end tests: every start appends one line
// to "runs.txt" beside it, holding the arguments exactly as received.
#include <windows.h>

#include <cstring>
#include <string>

namespace {
// The command line after the program's own (quoted or plain) name.
const char* argumentsOf(const char* line) {
    if (*line == '"') {
        const char* end = std::strchr(line + 1, '"');
        line = end ? end + 1 : line + std::strlen(line);
    } else {
        while (*line && *line != ' ' && *line != '\t') ++line;
    }
    while (*line == ' ' || *line == '\t') ++line;
    return line;
}
}  // namespace

int main() {
    char self[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    std::string log(self, length);
    log = log.substr(0, log.find_last_of('\\') + 1) + "runs.txt";
    std::string record = std::string(argumentsOf(GetCommandLineA())) + "\r\n";
    // Several runs start at once; each waits for the file in turn.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
            CloseHandle(file);
            return 0;
        }
        Sleep(25);
    }
    return 1;
}
