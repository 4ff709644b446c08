#pragma once
// Controls of a resizable dialog that keep their distance to its edges: each
// moves right or down, or grows wider or taller, by as much as the client
// area grew since the layout was recorded.
#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

class AnchoredLayout {
public:
    enum Follow { Stay = 0, Right = 1, Down = 2, Wider = 4, Taller = 8 };

    AnchoredLayout(std::initializer_list<std::pair<int, int>> controls) {
        for (const auto& [id, follow] : controls) anchors_.push_back({id, follow, {}});
    }

    // The places of the controls as the template laid them out. WM_SIZE
    // arrives before this, and apply() does nothing until then.
    void record(HWND dialog) {
        GetClientRect(dialog, &client_);
        for (Anchor& a : anchors_) {
            GetWindowRect(GetDlgItem(dialog, a.id), &a.rect);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&a.rect), 2);
        }
        recorded_ = true;
    }

    // A control whose recorded height is not the one to keep (a combo box
    // counts its open list) is given its own.
    void setHeight(int id, LONG height) {
        for (Anchor& a : anchors_)
            if (a.id == id) a.rect.bottom = std::max(a.rect.bottom, a.rect.top + height);
    }

    bool recorded() const { return recorded_; }

    void apply(HWND dialog) const {
        if (!recorded_) return;
        RECT now;
        GetClientRect(dialog, &now);
        const int dx = now.right - client_.right, dy = now.bottom - client_.bottom;
        for (const Anchor& a : anchors_) {
            RECT r = a.rect;
            if (a.follow & Right) OffsetRect(&r, dx, 0);
            if (a.follow & Down) OffsetRect(&r, 0, dy);
            if (a.follow & Wider) r.right += dx;
            if (a.follow & Taller) r.bottom += dy;
            SetWindowPos(GetDlgItem(dialog, a.id), nullptr, r.left, r.top,
                         std::max(0, int(r.right - r.left)), std::max(0, int(r.bottom - r.top)),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

private:
    struct Anchor {
        int id;
        int follow;
        RECT rect;
    };
    std::vector<Anchor> anchors_;
    RECT client_{};
    bool recorded_ = false;
};
