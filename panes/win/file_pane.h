#pragma once
// The pane window (control 1003 of the main dialog): draws the shown listing
// in newspaper columns with the colours of the extension table.
#include <windows.h>

#include <string>

#include "base/win/handle.h"
#include "panes/ext_table.h"
#include "panes/file_list.h"

struct PaneFont {
    int high;
    int wide;
    std::string name;
};

class FilePane {
public:
    static constexpr const char* ClassName = "VorbinPane";
    static void registerClass(HINSTANCE instance);

    void attach(HWND hwnd);
    HWND hwnd() const { return hwnd_; }
    void setFont(const PaneFont& font);
    // Repaints after the listing was replaced.
    void show(const ExtTable* table, bool todayColour);

    FileList& listing() { return list_; }

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    void paint(HDC dc, const RECT& client);
    std::string lineText(const FileEntry& entry) const;
    COLORREF lineColours(const FileEntry& entry, COLORREF& back) const;

    HWND hwnd_ = nullptr;
    GdiObject font_;
    int cellWidth_ = 7;
    int lineHeight_ = 14;
    FileList list_;
    const ExtTable* table_ = nullptr;
    bool todayColour_ = true;
    int nameWidth_ = 30;
};
