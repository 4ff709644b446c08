// Lintor: hands one path to a running Vorbin and ends, always with code 0.
// It keeps no settings of its own and writes none, so it never undoes a
// value Vorbin saved while it ran.
#include <windows.h>

#include <string>
#include <vector>

#include "base/win/clipboard.h"
#include "handover/handover_request.h"
#include "services/win/vorbin_window.h"

namespace {
std::string clipboardText() {
    if (!IsClipboardFormatAvailable(CF_TEXT)) return {};
    ClipboardSession session(nullptr);
    if (!session) return {};
    std::string bytes = clipboardBytes(CF_TEXT).value_or(std::string());
    // The block may be larger than its text.
    return bytes.substr(0, bytes.find('\0'));
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The runtime's split keeps a trail byte 0x5C before a quote in its
    // character (checked by the end-to-end test).
    const std::vector<std::string> arguments(__argv + 1, __argv + __argc);
    const HandoverRequest request =
        handoverRequest(arguments, arguments.empty() ? clipboardText() : std::string());
    HWND receiver = findInstanceWindow(request.instance);
    if (!receiver) return 0;
    SetForegroundWindow(receiver);
    COPYDATASTRUCT data{0, static_cast<DWORD>(request.text.size() + 1),
                        const_cast<char*>(request.text.c_str())};
    // A hung receiver must not keep Lintor alive forever.
    SendMessageTimeoutA(receiver, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                        30000, nullptr);
    return 0;
}
