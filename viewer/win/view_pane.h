#pragma once
// The view control: one path at a time as white text in a grid of 7 by 14
// cells on black, or as a picture. The same control, in page mode, is the
// HTML view: it shows a web page or XML file as text and scrolls by arrow keys.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/win/handle.h"
#include "viewer/text_pager.h"
#include "viewer/view_kind.h"
#include "viewer/win/file_chunks.h"
#include "viewer/win/picture.h"

constexpr int CellWidth = 7;
constexpr int CellHeight = 14;

class ViewPane {
public:
    static const char* className();
    static bool registerClass(HINSTANCE instance);
    // The control behind a window of the class.
    static ViewPane* of(HWND window);

    void open(const std::string& path);
    void showPage(const std::string& path);  // page mode: always produced afresh
    const std::string& path() const { return path_; }
    void scrollUp();
    void scrollDown();
    // Mouse messages of the parent, in the pane's client coordinates.
    void mouse(UINT message, int x, int y);

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wp, LPARAM lp);
    void produce(int columns);
    void paint(HDC dc, const RECT& client);
    void scrollBy(int rows);
    void sendTreePath(int y);

    HWND window_ = nullptr;
    GdiObject font_;
    std::string path_;
    ViewKind kind_ = ViewKind::Text;
    bool pageMode_ = false;
    bool produced_ = false;
    int producedColumns_ = -1;
    TextPager pager_;
    std::unique_ptr<FileChunks> file_;
    Picture picture_;
    std::string picturePath_;
    std::vector<std::string> treePaths_;
    std::optional<POINT> dragAnchor_;
    bool busy_ = false;
};
