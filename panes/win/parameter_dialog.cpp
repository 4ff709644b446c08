#include "panes/win/parameter_dialog.h"

#include <cstdio>

#include "base/win/window_text.h"
#include "panes/win/find_name_dialog_ids.h"

namespace {

struct Prompt {
    int counter;
    std::string text;
};

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lp);
        char caption[32];
        std::snprintf(caption, sizeof caption, "Parameter [%d]",
                      reinterpret_cast<Prompt*>(lp)->counter);
        SetWindowTextA(dialog, caption);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            reinterpret_cast<Prompt*>(GetWindowLongPtrA(dialog, DWLP_USER))->text =
                windowText(GetDlgItem(dialog, IDC_FIND_NAME_TEXT));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

bool askParameterDialog(HWND owner, int counter, std::string& text) {
    Prompt prompt{counter, {}};
    INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FIND_NAME), owner,
                        procedure, reinterpret_cast<LPARAM>(&prompt));
    if (result != IDOK) return false;
    text = std::move(prompt.text);
    return true;
}
