#include "panes/win/sort_dialog.h"

#include <algorithm>
#include <iterator>

#include "panes/win/sort_dialog_ids.h"

namespace {

struct Row {
    int on;
    int priority;
    int down;
    SortItem SortKeys::*item;
};

constexpr Row Rows[] = {
    {IDC_SORT_NAME, IDC_SORT_NAME_PRIORITY, IDC_SORT_NAME_DOWN, &SortKeys::fileName},
    {IDC_SORT_EXTENSION, IDC_SORT_EXTENSION_PRIORITY, IDC_SORT_EXTENSION_DOWN,
     &SortKeys::extension},
    {IDC_SORT_ATTRIBUTE, IDC_SORT_ATTRIBUTE_PRIORITY, IDC_SORT_ATTRIBUTE_DOWN,
     &SortKeys::attribute},
    {IDC_SORT_TIME, IDC_SORT_TIME_PRIORITY, IDC_SORT_TIME_DOWN, &SortKeys::time},
    {IDC_SORT_SIZE, IDC_SORT_SIZE_PRIORITY, IDC_SORT_SIZE_DOWN, &SortKeys::size},
};

bool isChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void enableRow(HWND dialog, const Row& row) {
    BOOL on = isChecked(dialog, row.on);
    EnableWindow(GetDlgItem(dialog, row.priority), on);
    EnableWindow(GetDlgItem(dialog, row.down), on);
}

int priorityOf(HWND dialog, const Row& row) {
    char text[32] = "";
    GetDlgItemTextA(dialog, row.priority, text, sizeof text);
    return leadingInt(text);
}

// A key ticked with priority 0 would weigh nothing and change no order: it
// gets the lowest priority the other ticked keys leave free.
void prefillPriority(HWND dialog, const Row& ticked) {
    if (priorityOf(dialog, ticked) != 0) return;
    int free = 1;
    while (std::any_of(std::begin(Rows), std::end(Rows), [&](const Row& row) {
        return &row != &ticked && isChecked(dialog, row.on) && priorityOf(dialog, row) == free;
    }))
        ++free;
    SetDlgItemInt(dialog, ticked.priority, static_cast<UINT>(free), TRUE);
}

void show(HWND dialog, const SortKeys& keys) {
    for (const Row& row : Rows) {
        const SortItem& item = keys.*row.item;
        CheckDlgButton(dialog, row.on, item.on ? BST_CHECKED : BST_UNCHECKED);
        SendDlgItemMessageA(dialog, row.priority, EM_LIMITTEXT, 11, 0);
        SetDlgItemInt(dialog, row.priority, static_cast<UINT>(item.priority), TRUE);
        CheckDlgButton(dialog, row.down, item.down ? BST_CHECKED : BST_UNCHECKED);
        enableRow(dialog, row);
    }
    CheckDlgButton(dialog, IDC_SORT_TAG_FILE, keys.tagFile ? BST_CHECKED : BST_UNCHECKED);
}

void take(HWND dialog, SortKeys& keys) {
    for (const Row& row : Rows) {
        SortItem& item = keys.*row.item;
        // A key switched off keeps the priority typed for it.
        item.priority = priorityOf(dialog, row);
        item.on = isChecked(dialog, row.on);
        item.down = isChecked(dialog, row.down);
    }
    keys.tagFile = isChecked(dialog, IDC_SORT_TAG_FILE);
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lp);
        show(dialog, *reinterpret_cast<SortKeys*>(lp));
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wp);
        if (id == IDOK) {
            take(dialog, *reinterpret_cast<SortKeys*>(GetWindowLongPtrA(dialog, DWLP_USER)));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (id == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        if (HIWORD(wp) == BN_CLICKED) {
            for (const Row& row : Rows) {
                if (row.on != id) continue;
                enableRow(dialog, row);
                if (isChecked(dialog, row.on)) prefillPriority(dialog, row);
            }
        }
        return FALSE;
    }
    }
    return FALSE;
}

}  // namespace

bool runSortDialog(HWND owner, Settings& settings) {
    SortKeys keys = settings.Sort;
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SORT), owner,
                                     procedure, reinterpret_cast<LPARAM>(&keys));
    if (result != IDOK) return false;
    settings.Sort = keys;
    settings.Save();
    return true;
}
