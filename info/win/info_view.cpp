#include "info/win/info_view.h"

#include <shellapi.h>
#include <windowsx.h>

#include <cstdlib>
#include <cstring>

#include "info/win/info_view_ids.h"
#include "panes/win/local_time.h"
#include "services/messages.h"

namespace {
constexpr UINT_PTR ClockTimer = 100;
constexpr UINT MsgApplyPrepared = WM_APP + 41;  // from the update thread to the window
constexpr UINT_PTR ApplyTimer = 101;
constexpr DWORD ApplyEveryMs = InfoView::RefreshMs;
constexpr int EdgeSlack = 5;
const char* const OriginalProcProp = "VorbinInfoProc";
const char* const ViewProp = "VorbinInfoView";

const int TextIds[6] = {IDC_INFO_ALT_NAME, IDC_INFO_NAME, IDC_INFO_WRITE_TIME,
                        IDC_INFO_SIZE, IDC_INFO_DISK, IDC_INFO_FILES};

bool held(int key) { return GetKeyState(key) < 0; }

// Where the pointer was when the message in hand was made: a move handled
// late must not take along the distance of the moves queued behind it.
POINT messagePoint() {
    const DWORD at = GetMessagePos();
    return {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
}

RECT clientRectOf(HWND control, HWND parent) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int sign(int v) { return (v > 0) - (v < 0); }
}  // namespace

InfoView::~InfoView() {
    destroy();
    for (auto& [kind, icon] : kindIcons_)
        if (icon) DestroyIcon(icon);
}

bool InfoView::create(HWND owner) {
    owner_ = owner;
    hwnd_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_INFO_VIEW), owner,
                               procedure, reinterpret_cast<LPARAM>(this));
    return hwnd_ != nullptr;
}

void InfoView::destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    if (prepared_ && prepared_->icon && prepared_->iconOwned) DestroyIcon(prepared_->icon);
    prepared_.reset();
    if (icon_ && iconOwned_) DestroyIcon(icon_);
    icon_ = nullptr;
}

INT_PTR CALLBACK InfoView::procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(hwnd, DWLP_USER, lp);
        auto* self = reinterpret_cast<InfoView*>(lp);
        self->hwnd_ = hwnd;
        self->initialise();
        return FALSE;
    }
    auto* self = reinterpret_cast<InfoView*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    return self ? self->handle(message, wp, lp) : FALSE;
}

void InfoView::initialise() {
    // Long names run on past the strip's edge rather than being cut by the control's.
    HWND name = GetDlgItem(hwnd_, IDC_INFO_NAME);
    RECT r = clientRectOf(name, hwnd_);
    MoveWindow(name, r.left, r.top, r.right - r.left + 3000, r.bottom - r.top, FALSE);
    default_ = currentLayout();
    SetWindowTextA(hwnd_, "File Info");
    for (const InfoControlKey& c : InfoControlKeys) {
        HWND control = GetDlgItem(hwnd_, c.id);
        SetPropA(control, ViewProp, this);
        SetPropA(control, OriginalProcProp,
                 reinterpret_cast<HANDLE>(SetWindowLongPtrA(
                     control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProcedure))));
    }
    InfoLayout stored = default_;
    if (loadInfoLayout(profile_, stored))
        applyLayout(stored);
    else
        applyLayout(default_);
    cellFont_.reset(CreateFontA(14, 7, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, "Terminal"));
    onTick();
    SetTimer(hwnd_, ClockTimer, 1000, nullptr);
}

InfoLayout InfoView::currentLayout() const {
    InfoLayout layout;
    RECT w;
    GetWindowRect(hwnd_, &w);
    layout.height = w.bottom - w.top;
    for (int i = 0; i < InfoControlCount; ++i) {
        RECT r = clientRectOf(GetDlgItem(hwnd_, InfoControlKeys[i].id), hwnd_);
        layout.controls[i] = {r.left, r.top, r.right, r.bottom};
    }
    return layout;
}

void InfoView::applyLayout(const InfoLayout& layout) {
    RECT w;
    GetWindowRect(hwnd_, &w);
    SetWindowPos(hwnd_, nullptr, 0, 0, w.right - w.left, layout.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < InfoControlCount; ++i) {
        const PlaceRect& r = layout.controls[i];
        MoveWindow(GetDlgItem(hwnd_, InfoControlKeys[i].id), r.left, r.top, r.width(), r.height(),
                   FALSE);
    }
    redraw();
}

void InfoView::saveLayout() { saveInfoLayout(profile_, currentLayout()); }

void InfoView::resetLayout() {
    applyLayout(default_);
    saveLayout();
    PostMessageA(owner_, MsgLayoutPane, 0, 0);
}

void InfoView::place(const RECT& along) {  // in the owner's client coordinates
    const int left = along.left + 2;
    SetWindowPos(hwnd_, nullptr, left, along.top, along.right - 3 - left, height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    redraw();
}

int InfoView::height() const {
    RECT w;
    GetWindowRect(hwnd_, &w);
    return w.bottom - w.top;
}

void InfoView::redraw() { RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN); }

void InfoView::setDisk(uint32_t low, int32_t high) {
    std::lock_guard<std::mutex> guard(lock_);
    listing_.diskLow = low;
    listing_.diskHigh = high;
}

void InfoView::setUserName(const std::string& name) {
    std::lock_guard<std::mutex> guard(lock_);
    listing_.userName = name;
}

void InfoView::setCounts(const InfoCounts& counts) {
    std::lock_guard<std::mutex> guard(lock_);
    listing_.counts = counts;
}

void InfoView::setText(int id, const std::string& text) {
    for (int i = 0; i < 6; ++i) {
        if (TextIds[i] != id) continue;
        // Each text reaches the control through the other thread's queue:
        // only what changed is worth the trip.
        if (shownText_[i] == text) return;
        shownText_[i] = text;
    }
    SetDlgItemTextA(hwnd_, id, text.c_str());
}

void InfoView::setIcon(HICON icon, bool owned) {
    HWND control = GetDlgItem(hwnd_, IDC_INFO_ICON);
    HICON old = iconOwned_ ? icon_ : nullptr;
    icon_ = icon;
    iconOwned_ = owned;
    SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    ShowWindow(control, icon ? SW_SHOWNA : SW_HIDE);
    if (old) DestroyIcon(old);
}

void InfoView::resourceIcon(int id) {
    iconPath_.clear();
    next_.iconChanged = true;
    next_.icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

void InfoView::shellIcon(const std::string& given, bool directory) {
    std::string path = given;
    for (std::size_t at; (at = path.find("..")) != std::string::npos;) path.erase(at, 2);
    if (path.empty() || path == iconPath_) return;
    iconPath_ = path;
    // The shell's lookup is slow under Wine; most files look like their kind.
    const std::string kind = iconKindOf(path, directory);
    if (!kind.empty()) {
        auto known = kindIcons_.find(kind);
        if (known != kindIcons_.end()) {
            next_.iconChanged = true;
            next_.icon = known->second;
            next_.iconOwned = false;  // the cache keeps it
            return;
        }
    }
    SHFILEINFOA info{};
    HICON icon = nullptr;
    if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON) && info.hIcon)
        icon = info.hIcon;
    else if (ExtractIconExA(path.c_str(), 1, &icon, nullptr, 1) == 0)
        icon = nullptr;
    if (!kind.empty()) kindIcons_[kind] = icon ? CopyIcon(icon) : nullptr;
    next_.iconChanged = true;
    next_.icon = icon;
}

void InfoView::showEntry(const InfoEntry& entry) {
    if (!hwnd_) return;
    std::string path(entry.path, strnlen(entry.path, sizeof entry.path));
    InfoListing listing;
    {
        std::lock_guard<std::mutex> guard(lock_);
        listing = listing_;
    }
    const FileEntry& find = entry.find;
    const bool directory = find.isDirectory();
    next_ = {};
    bool attributesShown = true;
    InfoTexts texts;
    switch (infoPathKind(path)) {
    case InfoPathKind::Ftp:
        texts = entryTexts(find, localTimeOf(find), listing);
        resourceIcon(directory ? IDI_INFO_FOLDER : IDI_INFO_FILE);
        break;
    case InfoPathKind::NetworkLevel: {
        texts = dashTexts(path, listing);
        attributesShown = false;
        if (path.starts_with("//")) {
            resourceIcon(IDI_INFO_NETWORK);
        } else {
            char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
            DWORD size = sizeof computer;
            GetComputerNameA(computer, &size);
            shellIcon(std::string("\\\\") + computer, true);
        }
        break;
    }
    case InfoPathKind::InArchive:
        resourceIcon(directory ? IDI_INFO_ARCHIVE_FOLDER : IDI_INFO_ARCHIVE_FILE);
        texts = entryTexts(find, localTimeOf(find), listing);
        break;
    case InfoPathKind::Local:
        shellIcon(path, directory);
        texts = entryTexts(find, localTimeOf(find), listing);
        break;
    }
    next_.attributesShown = attributesShown;
    next_.attributes = find.dwFileAttributes;
    next_.texts = std::move(texts);
    deliver();
}

void InfoView::deliver() {
    // One message at most waits in the window's queue: a held cursor key
    // floods that thread already, and the newest record replaces the older.
    std::lock_guard<std::mutex> guard(preparedLock_);
    if (prepared_) {
        if (!next_.iconChanged) {
            next_.iconChanged = prepared_->iconChanged;
            next_.icon = prepared_->icon;
            next_.iconOwned = prepared_->iconOwned;
        } else if (prepared_->icon && prepared_->iconOwned) {
            DestroyIcon(prepared_->icon);
        }
    }
    prepared_ = std::move(next_);
    next_ = {};
    if (!applyPosted_) applyPosted_ = PostMessageA(hwnd_, MsgApplyPrepared, 0, 0) != FALSE;
}

void InfoView::applyPrepared() {
    // Far more often than the eye follows would only slow the keys down.
    const DWORD now = GetTickCount();
    if (now - lastApplied_ < ApplyEveryMs) {
        SetTimer(hwnd_, ApplyTimer, ApplyEveryMs - (now - lastApplied_), nullptr);
        return;
    }
    // What is shown now would be stale before it is painted while a newer
    // entry is on its way or another key waits: the timer comes back once
    // the queue is idle, which is when the held key has been let go.
    MSG waiting;
    if ((newerComing_ && newerComing_()) ||
        PeekMessageA(&waiting, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE | PM_NOYIELD)) {
        SetTimer(hwnd_, ApplyTimer, ApplyEveryMs, nullptr);
        return;
    }
    KillTimer(hwnd_, ApplyTimer);
    lastApplied_ = now;
    std::optional<Prepared> shown;
    {
        std::lock_guard<std::mutex> guard(preparedLock_);
        shown = std::move(prepared_);
        prepared_.reset();
        applyPosted_ = false;
    }
    if (!shown) return;
    if (shown->iconChanged) setIcon(shown->icon, shown->iconOwned);
    if (shown->attributesShown && attributes_.exchange(shown->attributes) != shown->attributes)
        InvalidateRect(GetDlgItem(hwnd_, IDC_INFO_ATTRIBUTES), nullptr, TRUE);
    const InfoTexts& t = shown->texts;
    setText(IDC_INFO_ALT_NAME, t.altName);
    setText(IDC_INFO_NAME, t.fileName);
    setText(IDC_INFO_WRITE_TIME, t.writeTime);
    setText(IDC_INFO_SIZE, t.size);
    setText(IDC_INFO_DISK, t.disk);
    setText(IDC_INFO_FILES, t.files);
}

void InfoView::onTick() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    SetDlgItemTextA(hwnd_, IDC_INFO_CLOCK,
                    clockText({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond})
                        .c_str());
    MEMORYSTATUS memory{};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatus(&memory);
    SetDlgItemTextA(hwnd_, IDC_INFO_MEMORY, memoryText(memory.dwAvailPhys).c_str());
}

INT_PTR InfoView::handle(UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_TIMER:
        if (wp == ClockTimer) onTick();
        if (wp == ApplyTimer) applyPrepared();
        return TRUE;
    case MsgApplyPrepared:
        applyPrepared();
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wp) == STN_CLICKED && !held(VK_MENU)) {
            if (LOWORD(wp) == IDC_INFO_LEFT) PostMessageA(owner_, MsgInfoCursorLeft, 0, 0);
            if (LOWORD(wp) == IDC_INFO_RIGHT) PostMessageA(owner_, MsgInfoCursorRight, 0, 0);
        }
        return TRUE;  // Enter and Escape must not end it
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC: {
        ColourPair pair = colours_.defaultPair();
        // Asked once for every control at every repaint: one brush serves
        // until the colour changes.
        if (!brush_ || brushColour_ != pair.back) {
            brush_.reset(CreateSolidBrush(pair.back));
            brushColour_ = pair.back;
        }
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, pair.text);
        SetBkColor(dc, pair.back);
        return reinterpret_cast<INT_PTR>(brush_.get());
    }
    case WM_PAINT:
        paint();
        return TRUE;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (item->CtlID == IDC_INFO_ATTRIBUTES) drawAttributes(*item);
        return TRUE;
    }
    case WM_SETCURSOR:
        if (held(VK_MENU)) {
            POINT p;
            GetCursorPos(&p);
            SetCursor(LoadCursorA(nullptr, nearBottomEdge(p) ? IDC_SIZENS : IDC_ARROW));
            SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case WM_LBUTTONDOWN:
        click(hwnd_);
        return TRUE;
    case WM_MOUSEMOVE:
        if (resizing_) {
            const POINT p = messagePoint();
            RECT main, self;
            GetWindowRect(owner_, &main);
            GetWindowRect(hwnd_, &self);
            const int lowest =
                main.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYEDGE) + 10;
            if (p.y > lowest && p.y <= main.bottom - 10 && p.y - self.top > 0) {
                SetWindowPos(hwnd_, nullptr, 0, 0, self.right - self.left, p.y - self.top,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                redraw();
                PostMessageA(owner_, MsgLayoutPane, 0, 0);
            }
        }
        return TRUE;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (resizing_) endDrag();
        return TRUE;
    }
    return FALSE;
}

bool InfoView::nearBottomEdge(POINT screen) const {
    RECT w;
    GetWindowRect(hwnd_, &w);
    return screen.x >= w.left && screen.x < w.right && std::abs(screen.y - w.bottom) <= EdgeSlack;
}

bool InfoView::click(HWND target) {
    const POINT p = messagePoint();
    const bool alt = held(VK_MENU);
    bool taken = alt;
    if (alt && held(VK_SHIFT)) {
        resetLayout();
    } else if (alt && target != hwnd_) {
        beginMove(target, p);
    } else if (alt && nearBottomEdge(p)) {
        resizing_ = true;
        SetCapture(hwnd_);
    }
    // The strip never keeps the keyboard.
    PostMessageA(owner_, MsgFocusKeyReceiver, 0, 0);
    return taken;
}

void InfoView::paint() {
    PaintDC dc(hwnd_);
    RECT client;
    GetClientRect(hwnd_, &client);
    SelectedObject keep(dc.get(), GetStockObject(DC_PEN));
    SetDCPenColor(dc.get(), colours_.defaultPair().text);
    MoveToEx(dc.get(), 0, client.bottom - 2, nullptr);
    LineTo(dc.get(), client.right, client.bottom - 2);
}

void InfoView::drawAttributes(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT box = item.rcItem;
    const ColourPair pair = colours_.defaultPair();
    const COLORREF dim = dimmedColour(pair.text, pair.back);
    const uint32_t bits = attributes_.load();
    const int cell = (box.right - box.left) / 5;
    // The DC's own brush and pen take the colours: nothing made per paint.
    const auto dcBrush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, pair.back);
    FillRect(dc, &box, dcBrush);
    SetDCBrushColor(dc, pair.text);
    SelectedObject font(dc, cellFont_ ? cellFont_.get() : GetStockObject(ANSI_FIXED_FONT));
    SetBkMode(dc, TRANSPARENT);
    SelectedObject keepPen(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, pair.text);
    for (int k = 0; k < 5; ++k) {
        RECT r{box.left + k * cell, box.top, box.left + (k + 1) * cell, box.bottom};
        const bool set = (bits & AttributeCellBits[k]) != 0;
        if (set) FillRect(dc, &r, dcBrush);
        SetTextColor(dc, set ? pair.back : dim);
        TextOutA(dc, r.left + 1, r.top + 1, AttributeLetters + k, 1);
        MoveToEx(dc, r.left, box.top, nullptr);
        LineTo(dc, r.left, box.bottom);
    }
    FrameRect(dc, &box, dcBrush);
}

LRESULT CALLBACK InfoView::controlProcedure(HWND control, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = static_cast<InfoView*>(GetPropA(control, ViewProp));
    auto original = reinterpret_cast<WNDPROC>(GetPropA(control, OriginalProcProp));
    if (message == WM_NCDESTROY) {
        RemovePropA(control, ViewProp);
        RemovePropA(control, OriginalProcProp);
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        return CallWindowProcA(original, control, message, wp, lp);
    }
    if (!self) return CallWindowProcA(original, control, message, wp, lp);
    return self->controlMessage(control, original, message, wp, lp);
}

void InfoView::beginMove(HWND control, POINT at) {
    moving_ = control;
    anchor_ = at;
    SetCapture(control);
}

void InfoView::endDrag() {
    const bool resized = resizing_;
    HWND moved = moving_;
    moving_ = nullptr;
    resizing_ = false;
    if (GetCapture()) ReleaseCapture();
    if (moved) InvalidateRect(moved, nullptr, TRUE);
    saveLayout();
    redraw();
    if (resized) PostMessageA(owner_, MsgLayoutPane, 0, 0);
}

LRESULT InfoView::controlMessage(HWND control, WNDPROC original, UINT message, WPARAM wp,
                                 LPARAM lp) {
    switch (message) {
    case WM_RBUTTONDOWN: {
        beginMove(control, messagePoint());
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (click(control)) return 0;
        break;
    case WM_MOUSEMOVE:
        if (moving_ == control) {
            const POINT p = messagePoint();
            int dx = p.x - anchor_.x, dy = p.y - anchor_.y;
            const bool isStatic = GetDlgCtrlID(control) != IDC_INFO_ATTRIBUTES;
            // Ctrl as it was with this move, not as it is now.
            if (isStatic && (wp & MK_CONTROL)) {
                dx = sign(dx);
                dy = sign(dy);
            }
            anchor_ = p;
            if (dx || dy) {
                RECT r = clientRectOf(control, hwnd_);
                SetWindowPos(control, isStatic ? HWND_TOP : nullptr, r.left + dx, r.top + dy, 0, 0,
                             SWP_NOSIZE | (isStatic ? 0 : SWP_NOZORDER));
                if (isStatic) {
                    char text[600];
                    GetWindowTextA(control, text, sizeof text);
                    SetWindowTextA(control, text);
                    redraw();
                }
            }
            return 0;
        }
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (moving_ == control) {
            endDrag();
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (moving_ == control && reinterpret_cast<HWND>(lp) != control) endDrag();
        break;
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, held(VK_MENU) ? IDC_SIZEALL : IDC_ARROW));
        return TRUE;
    }
    return CallWindowProcA(original, control, message, wp, lp);
}
