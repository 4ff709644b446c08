#include "app/win/window_position_dialog.h"

#include <cstdio>

#include "app/win/window_position_dialog_ids.h"
#include "base/win/dialog_object.h"
#include "base/win/list_view.h"
#include "services/window_rect.h"

namespace {
const char* const SlotSection = "WINDOW_POS";
constexpr int SlotCount = 9;

int buttonSlot(int id) {
    if (id == IDC_POSITION_SLOT0) return 0;
    if (id >= IDC_POSITION_SLOT1 && id < IDC_POSITION_SLOT1 + 8) return id - IDC_POSITION_SLOT1 + 1;
    return -1;
}

class WindowPositionDialog : public DialogObject<WindowPositionDialog> {
public:
    WindowPositionDialog(Settings& settings, const CurrentPlaces& now) : settings_(settings), now_(now) {}
    void run(HWND owner) { runModal(owner, IDD_WINDOW_POSITION, ICC_LISTVIEW_CLASSES); }

private:
    friend DialogObject;

    void initialise() {
        list_ = item(IDC_POSITION_LIST);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        insertListColumn(list_, 0, "No.", 35);
        insertListColumn(list_, 1, "Info", 40);
        insertListColumn(list_, 2, "left,top,wide,high", 110);
        insertListColumn(list_, 3, "Viewleft,top,wide,high", 110);
        for (int c : {0, 1}) {
            LVCOLUMNA centred{};
            centred.mask = LVCF_FMT;
            centred.fmt = LVCFMT_CENTER;
            SendMessageA(list_, LVM_SETCOLUMNA, c, reinterpret_cast<LPARAM>(&centred));
        }
        CheckDlgButton(hwnd_, IDC_POSITION_INFO, now_.infoShown ? BST_CHECKED : BST_UNCHECKED);
        SetDlgItemTextA(hwnd_, IDC_POSITION_MAIN, now_.main.c_str());
        SetDlgItemTextA(hwnd_, IDC_POSITION_VIEWER, now_.viewer.c_str());
        for (int n = 0; n < SlotCount; ++n) {
            WindowSlot slot = parseWindowSlot(settings_.ReadString(SlotSection, windowSlotKey(n)));
            if (slot.valid) setRow(n, windowSlotRow(slot));
        }
    }

    INT_PTR handle(UINT message, WPARAM wp, LPARAM) {
        if (message != WM_COMMAND) return FALSE;
        const int id = LOWORD(wp);
        if (int n = buttonSlot(id); n >= 0) {
            setRow(n, {IsDlgButtonChecked(hwnd_, IDC_POSITION_INFO) == BST_CHECKED ? "o" : "",
                       text(IDC_POSITION_MAIN), text(IDC_POSITION_VIEWER)});
        } else if (id == IDOK) {
            save();
            EndDialog(hwnd_, IDOK);
        } else if (id == IDCANCEL) {
            EndDialog(hwnd_, IDCANCEL);
        }
        return TRUE;
    }

    std::string text(int id) const {
        char buffer[256] = "";
        GetDlgItemTextA(hwnd_, id, buffer, sizeof buffer);
        return buffer;
    }

    int rowOf(int n) const {
        const int rows = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
        for (int r = 0; r < rows; ++r)
            if (listCellText(list_, r, 0) == std::to_string(n)) return r;
        return -1;
    }

    void setRow(int n, const WindowSlotRow& row) {
        int r = rowOf(n);
        if (r < 0) {
            char number[8];
            std::snprintf(number, sizeof number, "%d", n);
            LVITEMA first{};
            first.mask = LVIF_TEXT;
            first.iItem = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
            first.pszText = number;
            r = static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&first)));
        }
        setListCell(list_, r, 1, row.info);
        setListCell(list_, r, 2, row.main);
        setListCell(list_, r, 3, row.viewer);
        selectListRow(list_, r);
    }

    void save() {
        const int rows = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
        for (int r = 0; r < rows; ++r) {
            const std::string number = listCellText(list_, r, 0);
            if (number.size() != 1 || number[0] < '0' || number[0] > '8') continue;
            settings_.WriteString(SlotSection, windowSlotKey(number[0] - '0'),
                                  windowSlotText({listCellText(list_, r, 1), listCellText(list_, r, 2),
                                                  listCellText(list_, r, 3)}));
        }
    }

    Settings& settings_;
    const CurrentPlaces& now_;
    HWND list_ = nullptr;
};
}  // namespace

void runWindowPositionDialog(HWND owner, Settings& settings, const CurrentPlaces& now) {
    WindowPositionDialog dialog(settings, now);
    dialog.run(owner);
}
