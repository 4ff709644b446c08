#include "panes/win/copy_list_dialog.h"

#include "panes/win/copy_list_dialog_ids.h"

namespace {

struct Box {
    int id;
    bool CopyListOptions::*flag;
};

constexpr Box Boxes[] = {
    {IDC_COPY_LIST_SIZE, &CopyListOptions::size},
    {IDC_COPY_LIST_TIME, &CopyListOptions::time},
    {IDC_COPY_LIST_PATH, &CopyListOptions::path},
    {IDC_COPY_LIST_FILENAME, &CopyListOptions::fileName},
    {IDC_COPY_LIST_TOTAL, &CopyListOptions::total},
};

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lp);
        const auto& options = *reinterpret_cast<const CopyListOptions*>(lp);
        for (const Box& box : Boxes) {
            CheckDlgButton(dialog, box.id, options.*box.flag ? BST_CHECKED : BST_UNCHECKED);
        }
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            auto& options =
                *reinterpret_cast<CopyListOptions*>(GetWindowLongPtrA(dialog, DWLP_USER));
            for (const Box& box : Boxes) {
                options.*box.flag = IsDlgButtonChecked(dialog, box.id) == BST_CHECKED;
            }
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

bool runCopyListDialog(HWND owner, Settings& settings, CopyListOptions& options) {
    Profile& profile = settings.profile();
    CopyListOptions chosen = loadCopyListOptions(profile);
    INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_COPY_LIST), owner,
                        procedure, reinterpret_cast<LPARAM>(&chosen));
    if (result != IDOK) return false;
    saveCopyListOptions(profile, chosen);
    options = chosen;
    return copyListHasContent(chosen);
}
