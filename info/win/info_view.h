#pragma once
// The info strip (dialog 139): the entry under the cursor, the listing's
// disk or FTP mode, the counts, a clock and the free memory. Created and
// owned by the user-interface thread; the update thread works out an entry's
// texts and icon and posts the result, which the window then shows.
#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "base/win/handle.h"
#include "info/info_entry.h"
#include "info/info_layout.h"
#include "info/info_text.h"
#include "panes/ext_table.h"
#include "services/profile.h"

class InfoView {
public:
    // The strip shows a new entry at most this often: more would only slow
    // the keys down.
    static constexpr DWORD RefreshMs = 30;

    InfoView(Profile& profile, const ExtTable& colours) : profile_(profile), colours_(colours) {}
    ~InfoView();
    InfoView(const InfoView&) = delete;
    InfoView& operator=(const InfoView&) = delete;

    // A child of owner's client area, hidden until shown; posts 0x8004,
    // 0x8005, 0x800D and 0x8030 to it. (A popup is stacked below its owner
    // by Wine whenever the owner is activated.)
    bool create(HWND owner);
    void destroy();
    HWND hwnd() const { return hwnd_; }

    // Any thread.
    void showEntry(const InfoEntry& entry);
    void setDisk(uint32_t low, int32_t high);
    void setUserName(const std::string& name);
    void setCounts(const InfoCounts& counts);
    // Asked before the window shows what was prepared: true while a newer
    // entry is still on its way to the update thread.
    void setNewerComing(std::function<bool()> newerComing) { newerComing_ = std::move(newerComing); }

    // User-interface thread.
    void place(const RECT& along);
    int height() const;
    void redraw();
    void resetLayout();  // the template's, written to the settings

private:
    static INT_PTR CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK controlProcedure(HWND, UINT, WPARAM, LPARAM);
    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp);
    LRESULT controlMessage(HWND control, WNDPROC original, UINT message, WPARAM wp, LPARAM lp);
    void initialise();
    // A left click on the strip or a control: Alt starts a move or a resize,
    // Alt+Shift restores the template layout. True when the click was taken.
    bool click(HWND target);
    void onTick();
    void paint();
    void drawAttributes(const DRAWITEMSTRUCT& item);
    // On the user-interface thread.
    void setText(int id, const std::string& text);
    void setIcon(HICON icon, bool owned);
    void shellIcon(const std::string& path, bool directory);
    void resourceIcon(int id);
    void deliver();
    void applyPrepared();
    InfoLayout currentLayout() const;
    void applyLayout(const InfoLayout& layout);
    void saveLayout();
    void beginMove(HWND control, POINT at);
    void endDrag();
    bool nearBottomEdge(POINT screen) const;

    Profile& profile_;
    const ExtTable& colours_;
    HWND hwnd_ = nullptr;
    HWND owner_ = nullptr;
    std::mutex lock_;
    InfoListing listing_;
    std::atomic<uint32_t> attributes_{0};
    HICON icon_ = nullptr;
    bool iconOwned_ = false;
    DWORD lastApplied_ = 0;
    std::string iconPath_;
    std::map<std::string, HICON> kindIcons_;  // owned; on the update thread
    std::string shownText_[6];  // on the user-interface thread
    // What the update thread has made ready for the window to show.
    struct Prepared {
        InfoTexts texts;
        bool iconChanged = false;
        HICON icon = nullptr;
        bool iconOwned = true;  // until shown
        bool attributesShown = false;
        uint32_t attributes = 0;
    };
    Prepared next_;  // on the update thread
    std::mutex preparedLock_;
    std::optional<Prepared> prepared_;
    bool applyPosted_ = false;
    std::function<bool()> newerComing_;
    InfoLayout default_;
    GdiObject brush_;
    COLORREF brushColour_ = 0;
    GdiObject cellFont_;
    // Moving a control or the bottom edge.
    HWND moving_ = nullptr;
    POINT anchor_{};
    bool resizing_ = false;
};
