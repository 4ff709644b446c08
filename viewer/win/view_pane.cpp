#include "viewer/win/view_pane.h"

#include <windowsx.h>

#include <vector>

#include "services/win/vorbin_window.h"
#include "viewer/win/view_content.h"

namespace {
// "ＭＳ 明朝" in code page 932: the fixed-pitch face the grid is made for.
constexpr char GridFace[] = "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9";

int columnsOf(const RECT& r) { return (r.right - r.left) / CellWidth; }
int rowsOf(const RECT& r) { return (r.bottom - r.top) / CellHeight; }
}  // namespace

const char* ViewPane::className() { return "PelkoView"; }

bool ViewPane::registerClass(HINSTANCE instance) {
    WNDCLASSA cls{};
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = procedure;
    cls.hInstance = instance;
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    cls.lpszClassName = className();
    cls.cbWndExtra = sizeof(ViewPane*);
    return RegisterClassA(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

ViewPane* ViewPane::of(HWND window) {
    return window ? reinterpret_cast<ViewPane*>(GetWindowLongPtrA(window, 0)) : nullptr;
}

LRESULT CALLBACK ViewPane::procedure(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    ViewPane* pane = of(window);
    if (message == WM_NCCREATE) {
        pane = new ViewPane;
        pane->window_ = window;
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(pane));
    }
    if (!pane) return DefWindowProcA(window, message, wp, lp);
    const LRESULT result = pane->handle(message, wp, lp);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, 0, 0);
        delete pane;
    }
    return result;
}

void ViewPane::open(const std::string& path) {
    if (!pageMode_ && path == path_) return;
    pageMode_ = false;
    path_ = path;
    produced_ = false;
    InvalidateRect(window_, nullptr, TRUE);
}

void ViewPane::showPage(const std::string& path) {
    pageMode_ = true;
    path_ = path;
    produced_ = false;
    InvalidateRect(window_, nullptr, TRUE);
}

void ViewPane::produce(int columns) {
    producedColumns_ = columns;
    produced_ = true;
    treePaths_.clear();
    if (pageMode_) {
        kind_ = ViewKind::Text;
        file_.reset();
        pager_.setText(documentText(path_));
        return;
    }
    kind_ = classifyPath(path_, [](std::string_view p) { return isViewDirectory(std::string(p)); });
    if (kind_ != ViewKind::Text && kind_ != ViewKind::Zip) file_.reset();
    switch (kind_) {
        case ViewKind::Program:
        case ViewKind::Library:
        case ViewKind::Driver:
            pager_.setText(versionReportOf(path_, columns));
            break;
        case ViewKind::Jpeg:
        case ViewKind::Gif:
        case ViewKind::Bmp:
        case ViewKind::Png:
        case ViewKind::Icon:
            pager_.clear();
            // What cannot be decoded leaves the previous picture on show.
            if (picturePath_ != path_ && picture_.load(path_)) picturePath_ = path_;
            break;
        case ViewKind::Lha:
            pager_.setText(archiveListing(window_, "UNLHA32.DLL", "Unlha", "l " + shortPath(path_)));
            break;
        case ViewKind::Cabinet:
            pager_.setText(archiveListing(window_, "CAB32.DLL", "Cab", "-l " + shortPath(path_)));
            break;
        case ViewKind::Directory:
            if (asksForTree(path_)) {
                DirectoryTree tree = directoryTreeOf(path_.substr(0, path_.size() - 3));
                pager_.setText(tree.text());
                treePaths_ = std::move(tree.paths);
            } else {
                pager_.setText(directoryListing(path_, columns));
            }
            break;
        case ViewKind::Ftp:
        case ViewKind::ArchiveMember:
            pager_.clear();
            break;
        default:
            file_ = std::make_unique<FileChunks>(path_);
            pager_.setSource(file_.get());
            break;
    }
}

void ViewPane::paint(HDC dc, const RECT& client) {
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    if (path_.empty() || busy_) {
        FillRect(dc, &client, black);
        return;
    }
    busy_ = true;
    const int columns = columnsOf(client);
    const int rows = rowsOf(client);
    const bool byColumns = kind_ == ViewKind::Directory || kind_ == ViewKind::Program ||
                           kind_ == ViewKind::Library || kind_ == ViewKind::Driver;
    if (!produced_ || (byColumns && columns != producedColumns_ && !asksForTree(path_)))
        produce(columns);
    if (isPicture(kind_) && !pageMode_) {
        FillRect(dc, &client, black);
        picture_.draw(dc, client.right, client.bottom);
        busy_ = false;
        return;
    }
    SelectedObject font(dc, font_.get());
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
    const std::vector<TextRow> page = pager_.page(rows, columns);
    std::vector<INT> advance(static_cast<std::size_t>(columns) + 2, CellWidth);
    int y = 0;
    for (const TextRow& row : page) {
        RECT line{0, y, client.right, y + CellHeight};
        // ExtTextOutA joins the advances of a pair, so every byte is one cell.
        ExtTextOutA(dc, 0, y, ETO_OPAQUE | ETO_CLIPPED, &line, row.cells.data(),
                    static_cast<UINT>(row.cells.size()), advance.data());
        y += CellHeight;
    }
    if (y < client.bottom) {
        RECT rest{0, y, client.right, client.bottom};
        FillRect(dc, &rest, black);
    }
    busy_ = false;
}

void ViewPane::scrollBy(int rows) {
    if (!isScrollable(kind_) && !pageMode_) return;
    RECT client;
    GetClientRect(window_, &client);
    for (int i = 0; i < rows || i < -rows; ++i) {
        const bool moved = rows > 0 ? pager_.scrollDown(rowsOf(client)) : pager_.scrollUp();
        if (!moved) break;
        // The content moves by one row; only the row uncovered is drawn anew.
        ScrollWindowEx(window_, 0, rows > 0 ? -CellHeight : CellHeight, nullptr, nullptr, nullptr,
                       nullptr, SW_INVALIDATE);
        UpdateWindow(window_);
    }
}

void ViewPane::scrollUp() { scrollBy(-1); }
void ViewPane::scrollDown() { scrollBy(1); }

void ViewPane::sendTreePath(int y) {
    const int line = y / CellHeight + pager_.top();
    if (line < 0 || line >= static_cast<int>(treePaths_.size())) return;
    HWND vorbin = findInstanceWindow(0);
    if (!vorbin) return;
    const std::string& path = treePaths_[static_cast<std::size_t>(line)];
    COPYDATASTRUCT data{0, static_cast<DWORD>(path.size() + 1), const_cast<char*>(path.c_str())};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(vorbin, WM_COPYDATA, reinterpret_cast<WPARAM>(window_),
                        reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &ignored);
}

void ViewPane::mouse(UINT message, int x, int y) {
    switch (message) {
        case WM_LBUTTONDOWN:
            dragAnchor_ = POINT{x, y};
            if (isScrollable(kind_) || pageMode_) SetCursor(LoadCursor(nullptr, IDC_SIZENS));
            break;
        case WM_MOUSEMOVE:
            if (dragAnchor_) {
                const int delta = dragAnchor_->y - y;
                dragAnchor_ = POINT{x, y};
                if (delta > 0) scrollBy(delta / CellHeight + 1);
                if (delta < 0) scrollBy(-(-delta / CellHeight + 1));
            }
            break;
        case WM_LBUTTONUP:
            dragAnchor_.reset();
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
            break;
        case WM_LBUTTONDBLCLK:
            sendTreePath(y);
            break;
    }
}

LRESULT ViewPane::handle(UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
        case WM_CREATE:
            font_.reset(CreateFontA(CellHeight, CellWidth, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    PROOF_QUALITY, FIXED_PITCH | FF_MODERN, GridFace));
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window_, &ps);
            RECT client;
            GetClientRect(window_, &client);
            paint(dc, client);
            EndPaint(window_, &ps);
            return 0;
        }
        case WM_SIZE:
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(window_);
            mouse(message, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
            return 0;
        case WM_LBUTTONUP:
            ReleaseCapture();
            [[fallthrough]];
        case WM_MOUSEMOVE:
        case WM_LBUTTONDBLCLK:
            mouse(message, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
            return 0;
        case WM_KEYDOWN:
            // The keys the window posts to the HTML view.
            if (wp == VK_UP) scrollUp();
            if (wp == VK_DOWN) scrollDown();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
    }
    return DefWindowProcA(window_, message, wp, lp);
}
