#include "viewer/win/viewer_window.h"

#include <windowsx.h>

#include "services/win/vorbin_window.h"
#include "services/win/window_place.h"
#include "services/window_rect.h"
#include "viewer/request_path.h"
#include "viewer/view_kind.h"
#include "viewer/win/pelko_ids.h"
#include "viewer/win/view_pane.h"
#include "viewer/window_place_rule.h"

namespace {
constexpr UINT_PTR TitleTimer = 100;
constexpr char TitlePrefix[] = "[Pelko] ";

bool makeDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) ||
           (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY &&
            GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES);
}

INT_PTR CALLBACK aboutProcedure(HWND dialog, UINT message, WPARAM wp, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}
}  // namespace

int ViewerWindow::run(HINSTANCE instance) {
    ViewPane::registerClass(instance);
    window_ = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PELKO), nullptr, procedure,
                                 reinterpret_cast<LPARAM>(this));
    if (!window_) return 1;
    // Started minimised by Vorbin; the viewer is there to be seen.
    ShowWindow(window_, SW_SHOWNORMAL);
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // The pending path is taken before the message is dispatched.
        if (msg.message == RequestMessage && msg.hwnd == window_) takeRequest();
        if (!IsDialogMessageA(window_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return 0;
}

INT_PTR CALLBACK ViewerWindow::procedure(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lp);
        auto* self = reinterpret_cast<ViewerWindow*>(lp);
        self->window_ = window;
        self->initialise();
        return TRUE;
    }
    auto* self = reinterpret_cast<ViewerWindow*>(GetWindowLongPtrA(window, DWLP_USER));
    return self ? self->handle(message, wp, lp) : FALSE;
}

void ViewerWindow::initialise() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    icon_ = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PELKO));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    char text[128] = "";
    if (LoadStringA(instance, IDS_PELKO_ABOUT, text, sizeof text) > 0) {
        HMENU menu = GetSystemMenu(window_, FALSE);
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_PELKO_ABOUT, text);
    }
    view_ = GetDlgItem(window_, IDC_PELKO_VIEW);
    page_ = GetDlgItem(window_, IDC_PELKO_PAGE);
    if (const auto place = storedPlace(settings_.ReadString("WINDOW", "PelkoPos")))
        MoveWindow(window_, place->left, place->top, place->width, place->height, FALSE);
    layout();
    if (!page_path_.empty()) {
        current_ = page_path_;
        SetWindowTextA(window_, (current_ + " - Pelko").c_str());
        show(current_);
        return;
    }
    watcher_ = std::make_unique<RequestWatcher>(window_);
    watcher_->start();
    SetTimer(window_, TitleTimer, 500, nullptr);
}

void ViewerWindow::layout() {
    RECT client;
    GetClientRect(window_, &client);
    for (HWND child : {view_, page_})
        if (child) MoveWindow(child, 0, 0, client.right, client.bottom, TRUE);
}

void ViewerWindow::setTitle() { SetWindowTextA(window_, (TitlePrefix + current_).c_str()); }

void ViewerWindow::show(const std::string& path) {
    if (isHtmlLike(path)) {
        ShowWindow(view_, SW_HIDE);
        ShowWindow(page_, SW_SHOW);
        if (ViewPane* page = ViewPane::of(page_)) page->showPage(path);
    } else {
        ShowWindow(page_, SW_HIDE);
        ShowWindow(view_, SW_SHOW);
        if (ViewPane* view = ViewPane::of(view_)) view->open(path);
    }
}

void ViewerWindow::takeRequest() {
    std::string path;
    if (!watcher_ || !watcher_->takePending(path)) return;
    current_ = path;
    setTitle();
    std::string shown = current_;
    if (!shown.empty() && shown[0] == '|')
        shown = ftpCachePath(shown, settings_.WorkDirectory(1, makeDirectory));
    show(shown);
}

void ViewerWindow::onTimer() {
    KillTimer(window_, TitleTimer);
    std::string path;
    if (watcher_ && watcher_->readBlockPath(path) && path != current_) {
        current_ = path;
        if (ViewPane* view = ViewPane::of(view_)) view->open(current_);
    }
    setTitle();
    SetTimer(window_, TitleTimer, 500, nullptr);
}

bool ViewerWindow::isOurWindowByTitle() const { return findTitledWindow("[Pelko]") == window_; }

INT_PTR ViewerWindow::handle(UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
        case WM_TIMER:
            if (wp == TitleTimer) onTimer();
            return TRUE;
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == IDM_PELKO_ABOUT || wp == IDM_PELKO_ABOUT) {
                DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PELKO_ABOUT),
                                window_, aboutProcedure, 0);
                return TRUE;
            }
            return FALSE;
        case WM_SYSKEYDOWN: {
            ViewPane* view = ViewPane::of(view_);
            if (wp == VK_UP || wp == VK_DOWN || wp == VK_LEFT || wp == VK_RIGHT)
                PostMessageA(page_, WM_KEYDOWN, wp, 0);
            if (view && wp == VK_UP) view->scrollUp();
            if (view && wp == VK_DOWN) view->scrollDown();
            return FALSE;
        }
        case WM_MOUSEWHEEL: {
            const int steps = static_cast<short>(HIWORD(wp)) / 30;
            if (ViewPane* view = ViewPane::of(view_)) {
                if (steps > 0) view->scrollUp();
                if (steps < 0) view->scrollDown();
            }
            // The page view scrolls too when it is the one on show.
            if (IsWindowVisible(page_) && steps != 0)
                PostMessageA(page_, WM_KEYDOWN, steps > 0 ? VK_UP : VK_DOWN, 0);
            return TRUE;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_LBUTTONDBLCLK:
            if (ViewPane* view = ViewPane::of(view_))
                view->mouse(message, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
            return FALSE;
        case WM_ACTIVATE:
            if (!current_.empty()) show(current_);
            return FALSE;
        case WM_SIZE:
            layout();
            return FALSE;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, RGB(255, 255, 255));
            SetBkColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
        }
        case WM_PAINT:
            if (IsIconic(window_)) {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(window_, &ps);
                RECT client;
                GetClientRect(window_, &client);
                DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON)) / 2,
                         (client.bottom - GetSystemMetrics(SM_CYICON)) / 2, icon_);
                EndPaint(window_, &ps);
                return TRUE;
            }
            return FALSE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(icon_);
        case WM_CLOSE:
            if (isOurWindowByTitle() && !IsIconic(window_))
                saveWindowRect(window_, settings_, "WINDOW", "PelkoPos");
            DestroyWindow(window_);
            return TRUE;
        case WM_DESTROY:
            watcher_.reset();
            KillTimer(window_, TitleTimer);
            PostQuitMessage(0);
            return TRUE;
    }
    return FALSE;
}
