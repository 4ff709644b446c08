#include "winfolder/win/tovek_dialog.h"

#include <shellapi.h>

#include <string>

#include "base/win/window_text.h"
#include "services/win/vorbin_window.h"
#include "winfolder/tovek_texts.h"
#include "winfolder/win/tovek_ids.h"
#include "winfolder/win/travik.h"

namespace {
constexpr DWORD PathCapacity = 1000;

std::string ownProgramPath() {
    char path[PathCapacity] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length < sizeof path ? std::string(path, length) : std::string();
}

class LoadedLibrary {
public:
    explicit LoadedLibrary(const std::string& name) : module_(LoadLibraryA(name.c_str())) {}
    ~LoadedLibrary() {
        if (module_) FreeLibrary(module_);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

class MemoryDC {
public:
    explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

INT_PTR CALLBACK aboutProcedure(HWND hwnd, UINT message, WPARAM wp, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        EndDialog(hwnd, LOWORD(wp));
        return TRUE;
    }
    return FALSE;
}
}  // namespace

void TovekDialog::initialise() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_TOVEK))));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_TOVEK_SMALL),
                                                     IMAGE_ICON, 16, 16, LR_SHARED)));
    finderPicture_.reset(LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_TOVEK_FINDER)));
    finder_.attach(item(IDC_TOVEK_FINDER), *this);
    char about[100] = "";
    if (LoadStringA(instance, IDS_TOVEK_ABOUT, about, sizeof about) > 0) {
        HMENU menu = GetSystemMenu(hwnd_, FALSE);
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_TOVEK_ABOUT, about);
    }
    SendMessageA(item(IDC_TOVEK_PATH), EM_SETREADONLY, TRUE, 0);
}

INT_PTR TovekDialog::handle(UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_DRAWITEM:
        if (wp != IDC_TOVEK_FINDER) return FALSE;
        drawFinder(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) != IDM_TOVEK_ABOUT) return FALSE;
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TOVEK_ABOUT), hwnd_,
                        aboutProcedure, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDC_TOVEK_CHECK: check(); return TRUE;
        case IDC_TOVEK_JUMP: jump(); return TRUE;
        case IDCANCEL: EndDialog(hwnd_, 0); return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(hwnd_, 0);
        return TRUE;
    }
    return FALSE;
}

void TovekDialog::drawFinder(const DRAWITEMSTRUCT& item) const {
    RECT frame = item.rcItem;
    DrawFrameControl(item.hDC, &frame, DFC_BUTTON, DFCS_BUTTONPUSH);
    // While dragging the picture travels with the pointer as the cursor.
    if (finder_.dragging() || !finderPicture_) return;
    BITMAP size{};
    GetObjectA(finderPicture_.get(), sizeof size, &size);
    MemoryDC memory(item.hDC);
    if (!memory.get()) return;
    SelectedObject picture(memory.get(), finderPicture_.get());
    const int x = (frame.left + frame.right - size.bmWidth) / 2;
    const int y = (frame.top + frame.bottom - size.bmHeight) / 2;
    BitBlt(item.hDC, x, y, size.bmWidth, size.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

void TovekDialog::onFinderPress() { SetDlgItemTextA(hwnd_, IDC_TOVEK_DLL_NAME, ""); }

void TovekDialog::onFinderMove(POINT screen) { showCaptionFor(screen); }

void TovekDialog::showCaptionFor(POINT screen) {
    HWND under = WindowFromPoint(screen);
    HWND top = under ? GetAncestor(under, GA_ROOT) : nullptr;
    char title[PathCapacity] = "";
    if (top && top != hwnd_) GetWindowTextA(top, title, sizeof title);
    SetWindowTextA(hwnd_, finderCaption(top == hwnd_, title).c_str());
}

void TovekDialog::onFinderRelease(POINT screen) {
    RECT own{};
    GetWindowRect(hwnd_, &own);
    if (PtInRect(&own, screen)) {
        SetDlgItemTextA(hwnd_, IDC_TOVEK_PATH, ownProgramPath().c_str());
        return;
    }
    HWND under = WindowFromPoint(screen);
    if (!under) return;
    char path[PathCapacity] = "";
    // The window itself, not its top-level parent: a child's thread belongs
    // to the same program.
    if (GetAncestor(under, GA_ROOT)) GetModulePathFromHwnd(under, path, sizeof path);
    SetDlgItemTextA(hwnd_, IDC_TOVEK_PATH, path);
    showCaptionFor(screen);
}

void TovekDialog::check() {
    const std::string name = windowText(item(IDC_TOVEK_DLL_NAME));
    std::string found = NoInstanceText;
    LoadedLibrary library(name);
    if (library.get()) {
        char path[PathCapacity] = "";
        const DWORD length = GetModuleFileNameA(library.get(), path, sizeof path);
        found.assign(path, length < sizeof path ? length : 0);
    }
    SetDlgItemTextA(hwnd_, IDC_TOVEK_PATH, found.c_str());
}

void TovekDialog::jump() {
    const std::string path = windowText(item(IDC_TOVEK_PATH));
    if (HWND vorbin = findInstanceWindow(0)) {
        COPYDATASTRUCT data{0, static_cast<DWORD>(path.size() + 1), const_cast<char*>(path.c_str())};
        SendMessageTimeoutA(vorbin, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, 30000, nullptr);
        SetForegroundWindow(vorbin);
        return;
    }
    ShellExecuteA(hwnd_, nullptr, "Explorer.exe", explorerParameters(path).c_str(), nullptr,
                  SW_SHOWNORMAL);
}
