#pragma once
// The pane window (control 1003 of the main dialog): draws the listing of its
// PaneModel in newspaper columns and turns mouse input into pane commands.
// What reaches beyond the listing goes to its owner.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "base/win/handle.h"
#include "panes/ext_table.h"
#include "panes/pane_model.h"
#include "services/settings_defaults.h"

class PaneOwner {
public:
    virtual ~PaneOwner() = default;
    virtual void paneGoTo(const std::string& path) = 0;  // 0x800A, WM_COPYDATA
    virtual void paneRefresh() = 0;                       // 0x802A
    virtual void paneReturn() = 0;                        // double click, middle button
    virtual void paneCommandMenu() = 0;                   // right button
    virtual void paneCursorMoved() = 0;                   // counts and cursor entry changed
    virtual void paneFilesDropped(const std::vector<std::string>& paths) = 0;
    virtual void paneReload() = 0;                        // 0x8009
    virtual void paneDragSelected() = 0;                  // the left button dragged away
    virtual void paneFocused() = 0;                       // keys belong elsewhere
};

struct PaneLook {
    int fontHigh = FallbackFontHigh;
    int fontWide = FallbackFontWide;
    std::string fontName;
    int nameLimit = FallbackFileNameLength;
    int extLimit = FallbackExtLength;
    DisplaySwitches switches;
    bool autoColumns = false;
    bool todayColour = true;
};

class FilePane {
public:
    static constexpr const char* ClassName = "VorbinPane";
    static void registerClass(HINSTANCE instance);

    void attach(HWND hwnd, PaneOwner* owner, const ExtTable* table);
    HWND hwnd() const { return hwnd_; }
    PaneModel& model() { return model_; }
    const PaneModel& model() const { return model_; }

    // Font, column limits and switches; lays out again keeping the cursor.
    void setLook(const PaneLook& look);
    const PaneLook& look() const { return look_; }
    // After a load, sort or resize: columns again, cursor kept in view.
    void relayout();
    // Draws what a command changed: two lines for a cursor move, else all.
    void apply(const PaneUpdate& update);
    void repaintAll(bool highlight = false);
    // Lines drawn since the window was made, for the benchmark's count per move.
    long long linesDrawn() const { return linesDrawn_; }

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wp, LPARAM lp);
    void paint(HDC dc, const RECT& client);
    void drawLine(HDC dc, int index, bool cursor, bool highlight, uint64_t nowUtc);
    LayoutParams layoutParams() const;
    void filesDropped(HDROP drop);

    HWND hwnd_ = nullptr;
    PaneOwner* owner_ = nullptr;
    const ExtTable* table_ = nullptr;
    PaneModel model_;
    PaneLook look_;
    GdiObject font_;
    bool highlightNextPaint_ = false;
    std::string lineBuffer_;
    std::vector<CellRun> cells_;
    long long linesDrawn_ = 0;
};
