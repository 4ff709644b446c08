#include "panes/win/file_pane.h"

#include <shellapi.h>
#include <windowsx.h>

#include <cstring>

#include "services/messages.h"
#include "panes/line_colours.h"
#include "panes/name_search.h"
#include "panes/win/local_time.h"

namespace {
uint64_t nowUtc() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// Texts handed over by posted messages are heap copies the pane frees.
std::string takePostedText(LPARAM lp) {
    char* text = reinterpret_cast<char*>(lp);
    if (!text) return {};
    std::string copy = text;
    delete[] text;
    return copy;
}
}  // namespace

void FilePane::registerClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    // Its own device context keeps the font selected, so a cursor move pays
    // for two lines and nothing else.
    wc.style = CS_DBLCLKS | CS_OWNDC;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = ClassName;
    RegisterClassA(&wc);
}

void FilePane::attach(HWND hwnd, PaneOwner* owner, const ExtTable* table) {
    hwnd_ = hwnd;
    owner_ = owner;
    table_ = table;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    DragAcceptFiles(hwnd, TRUE);
}

void FilePane::setLook(const PaneLook& look) {
    look_ = look;
    // Weight 400, Shift-JIS, proof quality, fixed pitch of the modern family.
    GdiObject font{CreateFontA(look.fontHigh, look.fontWide, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                               SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               PROOF_QUALITY, FIXED_PITCH | FF_MODERN,
                               look.fontName.empty() ? nullptr : look.fontName.c_str())};
    // The pane's own device context keeps the font selected for good; the
    // old one can only be deleted once it is no longer selected.
    {
        WindowDC dc(hwnd_);
        SelectObject(dc.get(), font.get());
        SetBkMode(dc.get(), OPAQUE);  // kept by the own DC like the font
    }
    font_ = std::move(font);
    relayout();
}

LayoutParams FilePane::layoutParams() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    LayoutParams p;
    p.charWidth = look_.fontWide > 0 ? look_.fontWide : FallbackFontWide;
    p.lineHeight = look_.fontHigh > 0 ? look_.fontHigh : FallbackFontHigh;
    p.clientWidth = client.right;
    p.clientHeight = client.bottom;
    p.nameLimit = look_.nameLimit;
    p.extLimit = look_.extLimit;
    p.switches = look_.switches;
    p.autoColumns = look_.autoColumns;
    return p;
}

void FilePane::relayout() {
    if (!hwnd_) return;
    PaneUpdate update = model_.relayout(layoutParams());
    update.repaintAll = true;
    apply(update);
}

void FilePane::repaintAll(bool highlight) {
    highlightNextPaint_ = highlight;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

void FilePane::apply(const PaneUpdate& update) {
    if (update.repaintAll) {
        repaintAll(update.highlight);
    } else if (update.oldCursor >= 0 || update.newCursor >= 0) {
        WindowDC dc(hwnd_);
        const uint64_t now = nowUtc();
        if (update.oldCursor >= 0 && update.oldCursor != update.newCursor)
            drawLine(dc.get(), update.oldCursor, false, false, now);
        if (update.newCursor >= 0) drawLine(dc.get(), update.newCursor, true, update.highlight, now);
    }
    if (update.reportCounts || update.newCursor >= 0 || update.repaintAll) {
        if (owner_) owner_->paneCursorMoved();
    }
}

void FilePane::drawLine(HDC dc, int index, bool cursor, bool highlight, uint64_t now) {
    ++linesDrawn_;
    const ColumnLayout& layout = model_.layout();
    const int top = model_.topColumn();
    ColumnLayout::Position at = layout.linePosition(index, top);
    const bool real = index < model_.count();
    const FileEntry& entry = model_.entryAt(index);
    model_.formatLineAt(lineBuffer_, index, real ? localTimeOf(entry) : LocalTime{});
    ColourPair pair = real && table_ ? lineColours(entry, *table_, look_.todayColour, now)
                                     : (table_ ? table_->defaultPair() : ColourPair{0xFFFFFF, 0});
    if (cursor && real) std::swap(pair.text, pair.back);
    SetTextColor(dc, pair.text);
    SetBkColor(dc, pair.back);
    const int x = static_cast<int>(at.x);
    TextOutA(dc, x, at.y, lineBuffer_.data(), static_cast<int>(lineBuffer_.size()));
    if (highlight && real && (entry.marked || cursor)) {
        model_.highlightCells(index, cells_);
        const int cw = layout.charWidth();
        for (const CellRun& run : cells_) {
            RECT r{x + run.first * cw, at.y, x + (run.first + run.count) * cw,
                   at.y + layout.lineHeight()};
            InvertRect(dc, &r);
        }
    }
}

void FilePane::paint(HDC dc, const RECT& client) {
    COLORREF background = table_ ? table_->defaultPair().back : 0;
    // The background is filled by the text output's own opaque cells and
    // this one fill; no brush is made for it.
    SetBkColor(dc, background);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    ColumnLayout::PaintRange range = model_.layout().paintRange(model_.topColumn());
    const bool highlight = highlightNextPaint_;
    highlightNextPaint_ = false;
    const uint64_t now = nowUtc();
    for (int i = range.first; i < range.first + range.lines; ++i)
        drawLine(dc, i, i == model_.cursor() && model_.count() > 0, highlight, now);
}

void FilePane::filesDropped(HDROP drop) {
    std::vector<std::string> paths;
    UINT n = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < n; ++i) {
        char path[MAX_PATH * 2];
        if (DragQueryFileA(drop, i, path, sizeof path)) paths.emplace_back(path);
    }
    DragFinish(drop);
    if (!paths.empty() && owner_) owner_->paneFilesDropped(paths);
}

LRESULT CALLBACK FilePane::procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    auto* pane = reinterpret_cast<FilePane*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (pane) return pane->handle(message, wp, lp);
    return DefWindowProcA(hwnd, message, wp, lp);
}

LRESULT FilePane::handle(UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintDC dc(hwnd_);
        RECT client;
        GetClientRect(hwnd_, &client);
        paint(dc.get(), client);
        return 0;
    }
    case WM_SIZE:
        relayout();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        const bool modified = (wp & (MK_SHIFT | MK_CONTROL)) != 0;
        apply(model_.click(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), (wp & MK_SHIFT) != 0,
                           (wp & MK_CONTROL) != 0));
        if (message == WM_RBUTTONDOWN && owner_) owner_->paneCommandMenu();
        POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(hwnd_, &at);
        // Only a real drag starts the system's drag loop; a click stays a click.
        if (message == WM_LBUTTONDOWN && !modified && owner_ && DragDetect(hwnd_, at))
            owner_->paneDragSelected();
        return 0;
    }
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
        if (message == WM_MBUTTONDOWN)
            apply(model_.click(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), false, false));
        if (owner_) owner_->paneReturn();
        return 0;
    case WM_SETFOCUS:
        // The pane types nothing: the owner's key receiver takes the keys.
        if (owner_) owner_->paneFocused();
        return 0;
    case WM_DROPFILES:
        filesDropped(reinterpret_cast<HDROP>(wp));
        return 0;
    case WM_COPYDATA: {
        auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        if (data && data->lpData && data->cbData > 0 && owner_) {
            std::string path(static_cast<const char*>(data->lpData),
                             strnlen(static_cast<const char*>(data->lpData), data->cbData));
            if (!path.empty()) owner_->paneGoTo(path);
        }
        return TRUE;
    }
    case MsgIncrementalFind: {
        std::string text = takePostedText(lp);
        if (!text.empty()) apply(model_.find(text));
        return 0;
    }
    case MsgReload:
        if (owner_) owner_->paneReload();
        return 0;
    case MsgGoToPath: {
        std::string path = takePostedText(lp);
        if (!path.empty() && owner_) owner_->paneGoTo(path);
        return 0;
    }
    case MsgRefreshKeepingMarks:
        if (owner_) owner_->paneRefresh();
        return 0;
    }
    return DefWindowProcA(hwnd_, message, wp, lp);
}
