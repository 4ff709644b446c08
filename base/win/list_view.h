#pragma once
// The few list-view calls the dialogs share: columns, cell texts, the
// selected row.
#include <windows.h>
#include <commctrl.h>

#include <string>

inline void insertListColumn(HWND list, int index, const char* title, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = width;
    column.pszText = const_cast<char*>(title);
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

inline void setListCell(HWND list, int row, int column, const std::string& text) {
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
}

// Within one process only: the text buffer is not marshalled across processes.
inline std::string listCellText(HWND list, int row, int column) {
    char buffer[1024] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

// Selects and focuses row and scrolls it into view; -1 clears the selection.
inline void selectListRow(HWND list, int row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = row >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageA(list, LVM_SETITEMSTATE, row >= 0 ? row : -1, reinterpret_cast<LPARAM>(&state));
    if (row >= 0) SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
}

// The first selected row, or -1.
inline int selectedListRow(HWND list) {
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}
