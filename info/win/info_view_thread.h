#pragma once
// The info window's update thread: cursor moves are posted to it and shown
// there, so a slow icon lookup never holds the keyboard, and a burst of
// moves shows only where the cursor stopped.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <optional>

#include "base/win/com_apartment.h"

#include "fileops/win/message_thread.h"
#include "info/update_gate.h"
#include "info/win/info_view.h"

class InfoViewThread : public MessageThread {
public:
    static constexpr UINT MsgEntry = WM_USER + 2;

    InfoViewThread(Profile& profile, const ExtTable& colours) : view_(profile, colours) {}
    ~InfoViewThread() override;

    // On the user-interface thread: the window, then the thread. The window
    // stays hidden until shown with SetVisible.
    bool create(HWND mainWindow, bool visible);

    // Hands the entry over; the thread is woken by a posted message only
    // when it is not awake already, so a held key costs the user-interface
    // thread a copy per move and a post now and then.
    void PostEntry(const InfoEntry& entry);
    void SetDisk(uint32_t low, int32_t high) { view_.setDisk(low, high); }
    void SetUserName(const std::string& name);
    void SetCounts(const InfoCounts& counts) { view_.setCounts(counts); }
    void SetVisible(bool visible);
    bool IsVisible() const { return visible_; }
    void Hide();
    void Place(const RECT& along) { view_.place(along); }
    int Height() const { return view_.height(); }
    void Redraw() { view_.redraw(); }
    HWND Window() const { return view_.hwnd(); }
    int Pending() const { return gate_.pending(); }
    // True once stopped and the window is gone; false while updates are
    // still queued (after a wait of a second; the caller asks again).
    bool Stop();

protected:
    LRESULT OnThreadMessage(UINT message, WPARAM wp, LPARAM lp) override;
    void OnThreadEnd() override { com_.reset(); }

private:
    // Takes the newest entry, or, when none is left, lets the thread sleep.
    bool takeEntry(InfoEntry& out);
    bool entryWaiting();

    InfoView view_;
    UpdateGate gate_;
    std::mutex slotLock_;
    InfoEntry slot_{};       // the newest entry not yet taken
    bool slotFull_ = false;
    bool awake_ = false;     // a wake-up is posted or the thread is working
    std::atomic<bool> visible_{true};
    // The shell's icon lookup wants COM; joined at the first entry, left
    // when the thread ends.
    std::optional<ComApartment> com_;  // on the thread
};
