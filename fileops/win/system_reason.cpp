#include "fileops/win/system_reason.h"

#include <windows.h>

#include <cstdio>

namespace {

// The shell's file operation answers with codes of its own from before Win32
// errors; the nearest Win32 error says the same in the user's language.
DWORD win32Equivalent(DWORD code) {
    switch (code) {
    case 0x71: return ERROR_ALREADY_EXISTS;         // source and target are one file
    case 0x72: case 0x73: case 0x7E: return ERROR_INVALID_PARAMETER;
    case 0x74: case 0x7C: case 0x402: return ERROR_PATH_NOT_FOUND;
    case 0x75: return ERROR_CANCELLED;
    case 0x78: case 0x86: case 0x10000: return ERROR_ACCESS_DENIED;
    case 0x79: case 0x80: case 0x81: return ERROR_FILENAME_EXCED_RANGE;
    case 0x7A: case 0x7D: return ERROR_INVALID_NAME;
    case 0x84: case 0x85: return ERROR_DISK_FULL;
    default: return code;
    }
}

}  // namespace

std::string systemReason(unsigned long code) {
    const DWORD win32 = win32Equivalent(static_cast<DWORD>(code));
    char text[512] = {};
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, win32,
                       0, text, sizeof text, nullptr);
    std::string reason(text, length < sizeof text ? length : 0);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    if (reason.empty()) {
        char number[32];
        std::snprintf(number, sizeof number, "(0x%lX)", code);
        reason = number;
    }
    return reason;
}
