#include "panes/win/file_pane.h"

#include <cstdio>
#include <ctime>

#include "base/path.h"

void FilePane::registerClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = ClassName;
    RegisterClassA(&wc);
}

void FilePane::attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void FilePane::setFont(const PaneFont& font) {
    font_.reset(CreateFontA(font.high, font.wide, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                            font.name.empty() ? nullptr : font.name.c_str()));
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_.get());
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    cellWidth_ = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : font.wide;
    lineHeight_ = tm.tmHeight > 0 ? tm.tmHeight : font.high;
}

void FilePane::show(const ExtTable* table, bool todayColour) {
    table_ = table;
    todayColour_ = todayColour;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

std::string FilePane::lineText(const FileEntry& entry) const {
    std::string name = entry.cFileName;
    if (static_cast<int>(name.size()) > nameWidth_) name = name.substr(0, nameWidth_);
    char size[32];
    if (entry.isDirectory())
        std::snprintf(size, sizeof size, "%13s", "<Dir>");
    else
        std::snprintf(size, sizeof size, "%13llu", static_cast<unsigned long long>(entry.size()));
    FILETIME utc{entry.ftLastWriteTime.dwLowDateTime, entry.ftLastWriteTime.dwHighDateTime};
    FILETIME local;
    SYSTEMTIME st{};
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &st);
    char line[400];
    std::snprintf(line, sizeof line, "%c%-*s%s %02d-%02d-%02d %02d:%02d ",
                  entry.marked ? '*' : ' ', nameWidth_, name.c_str(), size, st.wYear % 100,
                  st.wMonth, st.wDay, st.wHour, st.wMinute);
    return line;
}

COLORREF FilePane::lineColours(const FileEntry& entry, COLORREF& back) const {
    if (!table_) {
        back = RGB(0, 0, 0);
        return RGB(255, 255, 255);
    }
    ColourPair pair = table_->colours(extensionOf(entry.cFileName), entry.dwFileAttributes);
    if (todayColour_) {
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        uint64_t n = (uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
        if (n - entry.ftLastWriteTime.value() < 24ull * 3600 * 10000000) pair = table_->todayPair();
    }
    back = pair.back;
    return pair.text;
}

void FilePane::paint(HDC dc, const RECT& client) {
    COLORREF background = table_ ? table_->defaultPair().back : RGB(0, 0, 0);
    GdiObject brush{CreateSolidBrush(background)};
    FillRect(dc, &client, static_cast<HBRUSH>(brush.get()));
    HGDIOBJ old = SelectObject(dc, font_.get());
    int rows = (client.bottom - client.top) / lineHeight_;
    if (rows < 1) rows = 1;
    int columnWidth = (nameWidth_ + 30) * cellWidth_;
    for (std::size_t i = 0; i < list_.count(); ++i) {
        int column = static_cast<int>(i) / rows;
        int x = column * columnWidth;
        if (x > client.right) break;
        int y = static_cast<int>(i) % rows * lineHeight_;
        COLORREF back;
        COLORREF text = lineColours(list_[i], back);
        SetTextColor(dc, text);
        SetBkColor(dc, back);
        std::string line = lineText(list_[i]);
        TextOutA(dc, x, y, line.c_str(), static_cast<int>(line.size()));
    }
    SelectObject(dc, old);
}

LRESULT CALLBACK FilePane::procedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    auto* pane = reinterpret_cast<FilePane*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (pane) {
            RECT client;
            GetClientRect(hwnd, &client);
            pane->paint(dc, client);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    }
    return DefWindowProcA(hwnd, message, wp, lp);
}
