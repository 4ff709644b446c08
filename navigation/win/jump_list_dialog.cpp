#include "navigation/win/jump_list_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "base/path.h"
#include "base/sjis.h"
#include "base/win/anchored_layout.h"
#include "base/win/dialog_object.h"
#include "base/win/list_view.h"
#include "base/win/window_text.h"
#include "navigation/jump_list.h"
#include "navigation/win/jump_list_dialog_ids.h"
#include "services/table_files.h"

namespace {

std::string withSeparator(std::string directory) {
    if (!directory.empty() && directory.back() != '\\' && directory.back() != '/')
        directory += '\\';
    return directory;
}

std::string withoutTrailingUp(std::string path) {
    if (path.size() >= 3 && path.compare(path.size() - 2, 2, "..") == 0) {
        char before = path[path.size() - 3];
        if (before == '\\' || before == '/') path.resize(path.size() - 3);
    }
    return path;
}

class JumpListDialog : public DialogObject<JumpListDialog, FALSE> {
public:
    JumpListDialog(std::string file, std::string initialPath)
        : file_(std::move(file)), initialPath_(withoutTrailingUp(std::move(initialPath))) {}

    // The chosen path, or nothing.
    bool run(HWND owner, std::string& chosen) {
        INT_PTR result = runModal(owner, IDD_JUMP_LIST, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS);
        if (result != IDOK) return false;
        chosen = chosen_;
        return true;
    }

private:
    friend DialogObject;

    bool editing() const { return IsDlgButtonChecked(hwnd_, IDC_JUMP_LIST_EDIT) == BST_CHECKED; }

    void initialise() {
        list_ = item(IDC_JUMP_LIST_LIST);
        table_.load(file_);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
        insertListColumn(list_, 0, "Name", table_.columnWidths[0]);
        insertListColumn(list_, 1, "Path", table_.columnWidths[1]);
        // The position never moves: each arrow press only reports its direction.
        SendMessageA(item(IDC_JUMP_LIST_SPIN), UDM_SETRANGE32, static_cast<WPARAM>(-1), 1);
        SendMessageA(item(IDC_JUMP_LIST_SPIN), UDM_SETPOS32, 0, 0);
        for (int id : {IDC_JUMP_LIST_NAME, IDC_JUMP_LIST_PATH})
            SetWindowSubclass(item(id), arrowKeys, 0, reinterpret_cast<DWORD_PTR>(this));

        layout_.record(hwnd_);
        // A rectangle without area would hide the dialog: it keeps its own then.
        if (table_.rect && table_.rect->right > table_.rect->left &&
            table_.rect->bottom > table_.rect->top) {
            const WindowRect& r = *table_.rect;
            MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        }

        quiet_ = true;
        SetWindowTextA(item(IDC_JUMP_LIST_PATH), initialPath_.c_str());
        SetWindowTextA(item(IDC_JUMP_LIST_NAME), lastComponent(initialPath_).c_str());
        quiet_ = false;
        fill(0);
        search_.setCurrent(0);
        SetFocus(item(IDC_JUMP_LIST_NAME));
    }

    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp) {
        switch (message) {
        case WM_SIZE:
            layout_.apply(hwnd_);
            return TRUE;
        case WM_COMMAND:
            return command(LOWORD(wp), HIWORD(wp));
        case WM_NOTIFY:
            return notify(*reinterpret_cast<NMHDR*>(lp));
        case WM_DESTROY:
            for (int id : {IDC_JUMP_LIST_NAME, IDC_JUMP_LIST_PATH})
                RemoveWindowSubclass(item(id), arrowKeys, 0);
            return FALSE;
        }
        return FALSE;
    }

    INT_PTR command(int id, int code) {
        switch (id) {
        case IDC_JUMP_LIST_NAME:
        case IDC_JUMP_LIST_PATH:
            if (code == EN_CHANGE && !quiet_) typed(id);
            return TRUE;
        case IDC_JUMP_LIST_EDIT:
            if (code == BN_CLICKED && editing()) showRow(selectedRow());
            return TRUE;
        case IDC_JUMP_LIST_NEXT:
            found(search_.next(table_, windowText(item(IDC_JUMP_LIST_NAME))));
            return TRUE;
        case IDC_JUMP_LIST_ADD:
            table_.add({windowText(item(IDC_JUMP_LIST_NAME)),
                        windowText(item(IDC_JUMP_LIST_PATH))});
            fill(0);
            return TRUE;
        case IDC_JUMP_LIST_DEL: {
            int row = selectedRow();
            if (row < 0 || !table_.remove(static_cast<std::size_t>(row))) return TRUE;
            fill(std::min(row, static_cast<int>(table_.size()) - 1));
            return TRUE;
        }
        case IDOK:
            choose(selectedRow());
            return TRUE;
        case IDC_JUMP_LIST_CLOSE:
            save();
            EndDialog(hwnd_, IDCANCEL);
            return TRUE;
        case IDCANCEL:
            EndDialog(hwnd_, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }

    INT_PTR notify(const NMHDR& header) {
        if (header.idFrom == IDC_JUMP_LIST_LIST) {
            if (header.code == LVN_ITEMCHANGED) {
                const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
                bool nowSelected = (change.uNewState & LVIS_SELECTED) != 0;
                bool wasSelected = (change.uOldState & LVIS_SELECTED) != 0;
                if ((change.uChanged & LVIF_STATE) && nowSelected && !wasSelected &&
                    change.iItem >= 0) {
                    search_.setCurrent(static_cast<std::size_t>(change.iItem));
                    if (editing() && !filling_) showRow(change.iItem);
                }
                return TRUE;
            }
            if (header.code == NM_DBLCLK) {
                int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
                if (row >= 0) choose(row);
                return TRUE;
            }
        }
        if (header.idFrom == IDC_JUMP_LIST_SPIN && header.code == UDN_DELTAPOS) {
            const auto& spin = reinterpret_cast<const NMUPDOWN&>(header);
            int row = selectedRow();
            // The upper arrow raises the position and moves the row up.
            if (spin.iDelta != 0 && row >= 0) {
                if (auto moved = table_.move(static_cast<std::size_t>(row), spin.iDelta > 0))
                    fill(static_cast<int>(*moved));
            }
            SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);  // keep the position
            return TRUE;
        }
        return FALSE;
    }

    void typed(int id) {
        std::string text = windowText(item(id));
        if (editing()) {
            int row = selectedRow();
            if (row < 0) return;
            auto index = static_cast<std::size_t>(row);
            if (id == IDC_JUMP_LIST_NAME) {
                table_.setName(index, text);
                setListCell(list_, row, 0, table_.entries()[index].name);
            } else {
                table_.setPath(index, text);
                setListCell(list_, row, 1, table_.entries()[index].path);
            }
            return;
        }
        if (id == IDC_JUMP_LIST_NAME) found(search_.type(table_, text));
    }

    void found(std::optional<std::size_t> row) {
        if (row) select(static_cast<int>(*row));
    }

    // Up and Down in the two fields step through the rows and leave editing,
    // so the fields keep what was typed.
    static LRESULT CALLBACK arrowKeys(HWND hwnd, UINT message, WPARAM wp, LPARAM lp,
                                      UINT_PTR, DWORD_PTR data) {
        if (message == WM_KEYDOWN && (wp == VK_UP || wp == VK_DOWN)) {
            auto* self = reinterpret_cast<JumpListDialog*>(data);
            CheckDlgButton(self->hwnd_, IDC_JUMP_LIST_EDIT, BST_UNCHECKED);
            int row = self->selectedRow() + (wp == VK_UP ? -1 : 1);
            if (row >= 0) self->select(row);
            return 0;
        }
        if (message == WM_GETDLGCODE && lp) {
            const auto* msg = reinterpret_cast<const MSG*>(lp);
            if (msg->message == WM_KEYDOWN && (msg->wParam == VK_UP || msg->wParam == VK_DOWN))
                return DLGC_WANTALLKEYS;
        }
        return DefSubclassProc(hwnd, message, wp, lp);
    }

    void choose(int row) {
        save();
        if (row < 0 || static_cast<std::size_t>(row) >= table_.size()) {
            EndDialog(hwnd_, IDCANCEL);
            return;
        }
        chosen_ = table_.entries()[static_cast<std::size_t>(row)].path;
        EndDialog(hwnd_, IDOK);
    }

    void save() {
        RECT r;
        if (!IsIconic(hwnd_) && GetWindowRect(hwnd_, &r))
            table_.rect = WindowRect{r.left, r.top, r.right, r.bottom};
        for (int c = 0; c < 2; ++c)
            table_.columnWidths[c] = static_cast<int>(SendMessageA(list_, LVM_GETCOLUMNWIDTH, c, 0));
        table_.save(file_);
    }

    void showRow(int row) {
        if (row < 0 || static_cast<std::size_t>(row) >= table_.size()) return;
        const JumpListEntry& entry = table_.entries()[static_cast<std::size_t>(row)];
        quiet_ = true;
        SetWindowTextA(item(IDC_JUMP_LIST_NAME), entry.name.c_str());
        SetWindowTextA(item(IDC_JUMP_LIST_PATH), entry.path.c_str());
        quiet_ = false;
    }

    void fill(int select) {
        filling_ = true;
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
        const std::vector<JumpListEntry>& entries = table_.entries();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            LVITEMA row{};
            row.mask = LVIF_TEXT;
            row.iItem = static_cast<int>(i);
            row.pszText = const_cast<char*>(entries[i].name.c_str());
            SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
            setListCell(list_, static_cast<int>(i), 1, entries[i].path);
        }
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
        filling_ = false;
        this->select(select);
    }

    void select(int row) {
        if (row < 0 || static_cast<std::size_t>(row) >= table_.size()) return;
        selectListRow(list_, row);
    }

    int selectedRow() const {
        return selectedListRow(list_);
    }

    std::string file_;
    std::string initialPath_;
    std::string chosen_;
    JumpList table_;
    JumpListSearch search_;
    HWND list_ = nullptr;
    bool quiet_ = false;    // texts set by the dialog itself search and rewrite nothing
    bool filling_ = false;  // selections made while listing show nothing
    AnchoredLayout layout_{
        {IDC_JUMP_LIST_NAME, AnchoredLayout::Wider},
        {IDC_JUMP_LIST_PATH, AnchoredLayout::Wider},
        {IDC_JUMP_LIST_LIST, AnchoredLayout::Wider | AnchoredLayout::Taller},
        {IDC_JUMP_LIST_SPIN, AnchoredLayout::Right},
        {IDOK, AnchoredLayout::Right},
        {IDC_JUMP_LIST_NEXT, AnchoredLayout::Right},
        {IDC_JUMP_LIST_EDIT, AnchoredLayout::Right},
        {IDC_JUMP_LIST_ADD, AnchoredLayout::Right},
        {IDC_JUMP_LIST_DEL, AnchoredLayout::Right},
        {IDC_JUMP_LIST_CLOSE, AnchoredLayout::Right | AnchoredLayout::Down},
    };
};

}  // namespace

bool runJumpListDialog(HWND owner, const std::string& programDirectory, std::string& chosenPath) {
    JumpListDialog dialog(withSeparator(programDirectory) + JumpListFile, chosenPath);
    return dialog.run(owner, chosenPath);
}
