#include "e2e/vorbin_process.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

#include "services/win/program_directory.h"
#include "base/win/shell_confirmations.h"
#include "panes/win/copy_list_dialog_ids.h"

namespace {
bool shipped(const std::string& name) {
    std::string lower;
    for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto endsWith = [&](const char* tail) {
        std::string t = tail;
        return lower.size() >= t.size() && lower.compare(lower.size() - t.size(), t.size(), t) == 0;
    };
    return lower == "vorbin.ini" || endsWith(".tbl");
}

void copyShipped(const std::string& from, const std::string& to) {
    WIN32_FIND_DATAA data;
    FindHandle find{FindFirstFileA((from + "*").c_str(), &data)};
    if (!find) return;
    do {
        std::string name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name == "help") {
                CreateDirectoryA((to + name).c_str(), nullptr);
                copyShipped(from + name + "\\", to + name + "\\");
            }
        } else if (shipped(name) || from.find("\\help\\") != std::string::npos) {
            CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE);
        }
    } while (FindNextFileA(find.get(), &data));
}

struct OwnWindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK matchProcessWindow(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<OwnWindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->processId || !IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER))
        return TRUE;
    if (windowTitle(hwnd).rfind("[Vorbin:", 0) != 0) return TRUE;
    search->found = hwnd;
    return FALSE;
}
}  // namespace

std::string windowTitle(HWND hwnd) {
    char title[1200] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    return title;
}

void handOver(const VorbinProcess& vorbin, const std::string& path) {
    COPYDATASTRUCT data{0, static_cast<DWORD>(path.size() + 1), const_cast<char*>(path.c_str())};
    SendMessageA(vorbin.window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

ProgramDirectory::ProgramDirectory() {
    for (const char* program :
         {"Vorbin.exe", "Lintor.exe", "Tovek.exe", "travik.dll", "Quorvane.exe"})
        CopyFileA((programDirectory() + program).c_str(), (path() + program).c_str(), FALSE);
    // The shipped tables come from the source tree: the build's program
    // folder may hold settings changed by running the program there.
    copyShipped(VORBIN_SOURCE_DATA "\\", path());
}

VorbinProcess::VorbinProcess(const ProgramDirectory& directory) {
    std::string exe = directory / "Vorbin.exe";
    std::string commandLine = "\"" + exe + "\"";
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.path().c_str(), &si, &pi))
        return;
    CloseHandle(pi.hThread);
    process_.reset(pi.hProcess);
    processId_ = pi.dwProcessId;
}

VorbinProcess::~VorbinProcess() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.get(), 5000) == WAIT_TIMEOUT)
            TerminateProcess(process_.get(), 1);
    }
}

HWND VorbinProcess::waitForWindow(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    waitUntil(
        [&] {
            OwnWindowSearch search{processId_, nullptr};
            EnumWindows(matchProcessWindow, reinterpret_cast<LPARAM>(&search));
            window_ = search.found;
            return window_ != nullptr;
        },
        timeoutMs);
    if (!window_) std::fprintf(stderr, "%s", describeWindows().c_str());
    // A slow start is worth knowing about even when it comes in time.
    else if (const DWORD took = GetTickCount() - start; took > 10000)
        std::fprintf(stderr, "Vorbin's main window came after %lu ms\n", static_cast<unsigned long>(took));
    return window_;
}

std::string VorbinProcess::describeWindows() const {
    DWORD code = 0;
    std::string text = "Vorbin ";
    if (process_ && GetExitCodeProcess(process_.get(), &code) && code != STILL_ACTIVE)
        text += "ended with " + std::to_string(code) + "\n";
    else
        text += "runs without its main window; its top windows:\n";
    struct Listing {
        DWORD processId;
        std::string* text;
    } listing{processId_, &text};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* l = reinterpret_cast<Listing*>(lp);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid != l->processId) return TRUE;
            char kind[64] = {};
            GetClassNameA(hwnd, kind, sizeof kind);
            // A message box's text is its static control's.
            char said[512] = {};
            GetDlgItemTextA(hwnd, 0xFFFF, said, sizeof said);
            *l->text += "  " + std::string(kind) + (IsWindowVisible(hwnd) ? " shown \"" : " hidden \"") +
                        windowTitle(hwnd) + "\" " + said + "\n";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&listing));
    return text;
}

std::string VorbinProcess::title() const { return window_ ? windowTitle(window_) : ""; }

bool VorbinProcess::close(DWORD timeoutMs) {
    if (!window_) return false;
    PostMessageA(window_, WM_CLOSE, 0, 0);
    return waitForExit(timeoutMs);
}

bool VorbinProcess::waitForExit(DWORD timeoutMs) {
    return process_ && WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

bool VorbinProcess::key(Keystroke stroke) const {
    if (typeKey(window_, stroke)) return true;
    ADD_FAILURE() << "key " << stroke.key << " could not be typed: " << title() << " is not in front";
    return false;
}

std::string viewedPath() {
    UniqueHandle mapping{OpenFileMappingA(FILE_MAP_READ, FALSE, "PELKO")};
    if (!mapping) return {};
    const char* view = static_cast<const char*>(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 500));
    if (!view) return {};
    std::string path(view + 1, strnlen(view + 1, 499));
    UnmapViewOfFile(view);
    return path;
}

bool moveCursorTo(const VorbinProcess& vorbin, const std::string& path) {
    for (int key : {VK_DOWN, VK_UP}) {
        for (int step = 0; step < 40; ++step) {
            if (viewedPath() == path) return true;
            const std::string before = viewedPath();
            vorbin.key(key);
            if (!waitUntil([&] { return viewedPath() != before; }, 1000)) break;
        }
    }
    return viewedPath() == path;
}

std::string clipboardText() {
    std::string text;
    bool open = false;
    for (int attempt = 0; attempt < 20 && !(open = OpenClipboard(nullptr)); ++attempt) Sleep(50);
    if (!open) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

HWND waitForDialog(const char* caption, DWORD timeoutMs) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            found = FindWindowA("#32770", caption);
            return found && IsWindowVisible(found);
        },
        timeoutMs);
    return found && IsWindowVisible(found) ? found : nullptr;
}

namespace {
BOOL CALLBACK findConfirmation(HWND window, LPARAM found) {
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    for (const wchar_t* known : ShellConfirmationTitles) {
        if (wcscmp(known, title) == 0) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
    }
    return TRUE;
}
}  // namespace

bool answerShellConfirmation(int button, DWORD timeoutMs) {
    HWND dialog = nullptr;
    if (!waitUntil(
            [&] {
                dialog = nullptr;
                EnumWindows(findConfirmation, reinterpret_cast<LPARAM>(&dialog));
                return dialog && GetDlgItem(dialog, button);
            },
            timeoutMs))
        return false;
    PostMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    // Gone before the next one is looked for.
    return waitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeoutMs);
}

void pressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool writeKeyTable(const ProgramDirectory& program, std::initializer_list<KeyBinding> extra) {
    KeyMap map;
    addBuiltInBindings(map);
    for (const KeyBinding& binding : extra) map.set(binding);
    applyForcedBindings(map);
    return map.save(program / "KEY.TBL");
}

void setLastPath(const ProgramDirectory& program, const std::string& path) {
    WritePrivateProfileStringA("PATH", "LastPath", path.c_str(), (program / "Vorbin.ini").c_str());
}

bool copyMarkedNames(const VorbinProcess& vorbin, int boundKey) {
    vorbin.key(boundKey);
    HWND list = waitForDialog("To Clipborad");
    if (!list) return false;
    for (int id : {IDC_COPY_LIST_SIZE, IDC_COPY_LIST_TIME, IDC_COPY_LIST_PATH, IDC_COPY_LIST_TOTAL})
        SendMessageA(GetDlgItem(list, id), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(GetDlgItem(list, IDC_COPY_LIST_FILENAME), BM_SETCHECK, BST_CHECKED, 0);
    pressButton(list, IDOK);
    return true;
}
