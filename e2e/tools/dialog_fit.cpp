// dialog_fit folder program.exe...: opens every dialog template of the
// programs as the system lays it out in this prefix, saves a picture of each
// (folder\<program>-<id>.bmp) and prints every control whose text does not
// fit it or that lies outside its dialog. Ends with 1 when any did not fit.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "testing/win/screen_pixels.h"

namespace {
INT_PTR CALLBACK quietProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

void pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

void saveWindow(HWND window, const std::string& file) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return;
    std::ofstream(file, std::ios::binary) << bmpFile(screenRectPixels(r), width, height);
}

struct Check {
    HWND dialog;
    std::string name;
    int faults = 0;
    int labels = 0;
    int tightest = 1 << 30;  // the least room left over by any label
};

// The room a control leaves for its text, by its kind.
int textRoom(const char* kind, LONG style, int width) {
    if (lstrcmpiA(kind, "Button") != 0) return width;
    const LONG type = style & BS_TYPEMASK;
    if (type == BS_GROUPBOX) return width - 16;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
        type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE)
        return width - GetSystemMetrics(SM_CXMENUCHECK) - 4;
    return width - 6;
}

BOOL CALLBACK checkChild(HWND child, LPARAM lp) {
    auto* check = reinterpret_cast<Check*>(lp);
    if (GetParent(child) != check->dialog) return TRUE;
    char kind[64] = "";
    GetClassNameA(child, kind, sizeof kind);
    char text[512] = "";
    GetWindowTextA(child, text, sizeof text);
    RECT client{}, place{};
    GetClientRect(check->dialog, &client);
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, check->dialog, reinterpret_cast<POINT*>(&place), 2);
    const int id = GetDlgCtrlID(child);
    // A zero-size control is a key receiver or a placeholder laid out later.
    if (place.right > place.left && place.bottom > place.top &&
        (place.right > client.right || place.bottom > client.bottom || place.left < 0 || place.top < 0)) {
        std::printf("%s: control %d \"%s\" lies outside the dialog\n", check->name.c_str(), id, text);
        ++check->faults;
    }
    const bool labelled = lstrcmpiA(kind, "Static") == 0 || lstrcmpiA(kind, "Button") == 0;
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (!labelled || !text[0] || (lstrcmpiA(kind, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON))
        return TRUE;
    HDC dc = GetDC(child);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    const int width = place.right - place.left, height = place.bottom - place.top;
    const int room = textRoom(kind, style, width);
    RECT need{0, 0, room, 0};
    const bool multiLine = height >= 2 * 13 || (style & BS_MULTILINE);
    DrawTextA(dc, text, -1, &need, DT_CALCRECT | (multiLine ? DT_WORDBREAK : DT_SINGLELINE));
    if (old) SelectObject(dc, old);
    ReleaseDC(child, dc);
    ++check->labels;
    if (room - need.right < check->tightest) check->tightest = room - need.right;
    if (need.right > room || need.bottom > height) {
        std::printf("%s: control %d \"%s\" needs %ldx%ld pixels, has %dx%d\n", check->name.c_str(), id,
                    text, need.right, need.bottom, room, height);
        ++check->faults;
    }
    return TRUE;
}

BOOL CALLBACK collectDialog(HMODULE, LPCSTR, LPSTR name, LONG_PTR lp) {
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<WORD>*>(lp)->push_back(WORD(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

// Every edit field shows a name with an underscore, the character a face
// too small drops first.
BOOL CALLBACK fillEdit(HWND child, LPARAM) {
    char kind[16] = "";
    GetClassNameA(child, kind, sizeof kind);
    if (lstrcmpiA(kind, "Edit") == 0) SetWindowTextA(child, "a_Copy.txt");
    return TRUE;
}

void registerStandIn(const char* name) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: dialog_fit folder program.exe...\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // The programs' own window classes; only their place matters here.
    for (const char* name : {"VorbinPane", "PelkoView"}) registerStandIn(name);
    const std::string folder = argv[1];
    int faults = 0;
    for (int i = 2; i < argc; ++i) {
        HMODULE module = LoadLibraryExA(argv[i], nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (!module) {
            std::printf("%s: cannot be read\n", argv[i]);
            ++faults;
            continue;
        }
        std::string program = argv[i];
        program = program.substr(program.find_last_of("\\/") + 1);
        program = program.substr(0, program.find('.'));
        std::vector<WORD> ids;
        EnumResourceNamesA(module, RT_DIALOG, collectDialog, reinterpret_cast<LONG_PTR>(&ids));
        for (WORD id : ids) {
            HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG);
            auto* layout = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
            // A child template (the info strip) needs a window to live in.
            HWND host = nullptr;
            const auto* words = reinterpret_cast<const WORD*>(layout);
            DWORD style = layout->style;
            if (words[1] == 0xFFFF)  // DIALOGEX: version, signature, help id, extended style, style
                std::memcpy(&style, reinterpret_cast<const char*>(layout) + 12, sizeof style);
            if (style & WS_CHILD) {
                host = CreateWindowA("Static", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 1000, 200,
                                     nullptr, nullptr, nullptr, nullptr);
            }
            HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), layout, host,
                                                     quietProcedure, 0);
            const std::string name = program + "-" + std::to_string(id);
            if (!dialog) {
                std::printf("%s: cannot be created (error %lu)\n", name.c_str(), GetLastError());
                ++faults;
                continue;
            }
            EnumChildWindows(dialog, fillEdit, 0);
            SetWindowPos(dialog, HWND_TOP, host ? 0 : 10, host ? 0 : 10, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
            pump(300);
            Check check{dialog, name};
            EnumChildWindows(dialog, checkChild, reinterpret_cast<LPARAM>(&check));
            RECT r{};
            GetWindowRect(dialog, &r);
            std::printf("%s: %ldx%ld pixels, %d labels, least room left %d px, %d fault(s)\n",
                        name.c_str(), r.right - r.left, r.bottom - r.top, check.labels,
                        check.labels ? check.tightest : 0, check.faults);
            faults += check.faults;
            saveWindow(dialog, folder + "\\" + name + ".bmp");
            DestroyWindow(dialog);
            if (host) DestroyWindow(host);
        }
        FreeLibrary(module);
    }
    std::printf("%d fault(s)\n", faults);
    return faults ? 1 : 0;
}
