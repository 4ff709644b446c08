#include "panes/win/find_name_dialog.h"

#include <algorithm>
#include <cstring>

#include "services/messages.h"
#include "base/win/window_text.h"
#include "panes/find_history.h"
#include "panes/name_search.h"
#include "panes/win/find_name_dialog_ids.h"

namespace {

struct State {
    FindNameUse use;
    HWND pane;
    FindHistory history;
    std::string text;
    std::string caption;  // the input use's caption, also its history section
    const std::function<void(HWND)>* onEdit = nullptr;
};

void postToPane(HWND pane, const std::string& typed) {
    std::string pattern = findTextPattern(typed);
    char* copy = new char[pattern.size() + 1];
    std::memcpy(copy, pattern.c_str(), pattern.size() + 1);
    if (!PostMessageA(pane, MsgIncrementalFind, 0, reinterpret_cast<LPARAM>(copy))) delete[] copy;
}

void placeAbovePane(HWND dialog, HWND pane) {
    RECT paneRect;
    RECT dialogRect;
    if (!GetWindowRect(pane, &paneRect) || !GetWindowRect(dialog, &dialogRect)) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&paneRect, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    SIZE size{dialogRect.right - dialogRect.left, dialogRect.bottom - dialogRect.top};
    POINT origin = findDialogOrigin(paneRect, size, monitor.rcWork);
    SetWindowPos(dialog, nullptr, origin.x, origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void initialise(HWND dialog, State& state) {
    HWND combo = GetDlgItem(dialog, IDC_FIND_NAME_TEXT);
    if (state.use == FindNameUse::Mask) SetWindowTextA(dialog, "Mask");
    if (state.use == FindNameUse::Select) SetWindowTextA(dialog, "Select");
    if (state.use == FindNameUse::Input) SetWindowTextA(dialog, state.caption.c_str());
    for (const std::string& entry : state.history.entries()) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    // Setting the text this way raises no edit notification, so the find
    // use posts nothing until the user types.
    SetWindowTextA(combo, state.text.c_str());
    SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    if (state.use == FindNameUse::Find) placeAbovePane(dialog, state.pane);
    if (state.onEdit && *state.onEdit) {
        if (HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr)) (*state.onEdit)(edit);
    }
    SetFocus(combo);
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lp);
        initialise(dialog, *reinterpret_cast<State*>(lp));
        return FALSE;  // the focus was set
    }
    if (message != WM_COMMAND) return FALSE;
    auto* state = reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!state) return FALSE;
    switch (LOWORD(wp)) {
    case IDOK:
        state->text = windowText(GetDlgItem(dialog, IDC_FIND_NAME_TEXT));
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_FIND_NAME_TEXT:
        if (HIWORD(wp) == CBN_EDITCHANGE && state->use == FindNameUse::Find) {
            postToPane(state->pane, windowText(reinterpret_cast<HWND>(lp)));
        }
        return TRUE;
    }
    return FALSE;
}

}  // namespace

POINT findDialogOrigin(const RECT& pane, SIZE dialog, const RECT& workArea) {
    LONG x = pane.right - dialog.cx;
    LONG y = pane.top - dialog.cy;
    // Right and bottom first, so a dialog larger than the work area keeps its
    // caption on the screen.
    x = std::max(std::min(x, workArea.right - dialog.cx), workArea.left);
    y = std::max(std::min(y, workArea.bottom - dialog.cy), workArea.top);
    return {x, y};
}

namespace {
// Shows the dialog; on OK the text typed goes to the top of the earlier texts.
bool runWithHistory(HWND owner, State& state, Profile& profile, std::string& text) {
    INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FIND_NAME), owner,
                        procedure, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) return false;
    state.history.remember(state.text);
    state.history.save(profile);
    text = state.text;
    return true;
}
}  // namespace

bool runFindNameDialog(HWND owner, HWND pane, FindNameUse use, Settings& settings,
                       std::string& text) {
    Profile& profile = settings.profile();
    State state{use, pane, FindHistory(), text, {}, nullptr};
    if (use != FindNameUse::Find) state.history.load(profile);
    return runWithHistory(owner, state, profile, text);
}

bool runInputLineDialog(HWND owner, const std::string& caption, Settings& settings,
                        std::string& text, const std::function<void(HWND edit)>& onEdit) {
    Profile& profile = settings.profile();
    State state{FindNameUse::Input, nullptr, FindHistory(caption), text, caption, &onEdit};
    state.history.load(profile);
    return runWithHistory(owner, state, profile, text);
}
