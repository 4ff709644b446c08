#include "fileops/win/exec_command_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <vector>

#include "services/window_rect.h"
#include "services/win/window_place.h"
#include "base/win/anchored_layout.h"
#include "base/win/dialog_object.h"
#include "base/win/list_view.h"
#include "base/win/window_text.h"
#include "commands/command_id.h"
#include "fileops/exec_command_table.h"
#include "fileops/win/exec_command_dialog_ids.h"

namespace {

const char* const PlaceSection = "WINDOW";
const char* const PlaceKey = "EXEC_COMMAND";

bool blank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

int clampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// Only a local folder can be shown by the file chooser; an FTP or archive
// path would make it fail instead of starting somewhere sensible.
bool localDirectory(const std::string& path) {
    if (path.find('>') != std::string::npos) return false;
    if (path.size() >= 2 && path[1] == ':') return true;
    return path.size() > 2 && path[0] == '\\' && path[1] == '\\';
}

class ExecCommandDialog : public DialogObject<ExecCommandDialog, FALSE> {
public:
    ExecCommandDialog(Settings& settings, std::string tablePath, std::string entryName,
                      std::string paneDirectory)
        : settings_(settings),
          tablePath_(std::move(tablePath)),
          entryName_(std::move(entryName)),
          paneDirectory_(std::move(paneDirectory)) {}

    bool run(HWND owner, std::string& chosen) {
        INT_PTR result = runModal(owner, IDD_EXEC_COMMAND, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS);
        if (result != IDOK) return false;
        chosen = chosen_;
        return true;
    }

private:
    friend DialogObject;


    void initialise() {
        list_ = item(IDC_EXEC_COMMAND_LIST);
        commands_ = loadExecCommands(tablePath_);
        loaded_ = commands_;

        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
        insertListColumn(list_, 0, "Command", 100);

        HWND names = item(IDC_EXEC_COMMAND_TEXT);
        for (CommandId id = FirstCommand; id <= LastCommand; ++id)
            SendMessageA(names, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(CommandNameFromId(id).c_str()));
        SendMessageA(names, CB_LIMITTEXT, ExecCommandLineLimit - 1, 0);

        // The position never moves: each arrow press only reports its
        // direction, so neither end of the range can swallow a press.
        HWND spin = item(IDC_EXEC_COMMAND_SPIN);
        SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(item(IDC_EXEC_COMMAND_POSITION)),
                     0);
        SendMessageA(spin, UDM_SETRANGE32, static_cast<WPARAM>(-1), 1);
        SendMessageA(spin, UDM_SETPOS32, 0, 0);

        SetWindowTextA(item(IDC_EXEC_COMMAND_ENTRY), entryName_.c_str());

        RECT window;
        GetWindowRect(hwnd_, &window);
        minimum_ = {window.right - window.left, window.bottom - window.top};
        recordLayout();
        restorePlace();
        layout();

        fill(-1);
        SetFocus(commands_.empty() ? names : list_);
    }

    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp) {
        switch (message) {
        case WM_SIZE:
            layout();
            return TRUE;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lp);
            if (minimum_.x > 0) info->ptMinTrackSize = minimum_;
            return TRUE;
        }
        case WM_COMMAND:
            return command(LOWORD(wp), HIWORD(wp));
        case WM_NOTIFY:
            return notify(*reinterpret_cast<NMHDR*>(lp));
        }
        return FALSE;
    }

    INT_PTR command(int id, int code) {
        switch (id) {
        case IDC_EXEC_COMMAND_TEXT:
            // Whatever the user puts into the box is what OK runs, so an item
            // still selected below it would be a lie.
            if (!quiet_ && (code == CBN_EDITCHANGE || code == CBN_SELCHANGE)) select(-1);
            return TRUE;
        case IDC_EXEC_COMMAND_FILE:
            chooseProgram();
            return TRUE;
        case IDC_EXEC_COMMAND_ADD:
            fill(addExecCommand(commands_, selectedRow(),
                                windowText(item(IDC_EXEC_COMMAND_TEXT))));
            return TRUE;
        case IDC_EXEC_COMMAND_DELETE:
            remove();
            return TRUE;
        case IDOK: {
            int row = selectedRow();
            finish(valid(row) ? commands_[static_cast<std::size_t>(row)]
                              : windowText(item(IDC_EXEC_COMMAND_TEXT)));
            return TRUE;
        }
        case IDCANCEL:
            savePlace();
            EndDialog(hwnd_, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }

    INT_PTR notify(const NMHDR& header) {
        if (header.idFrom == IDC_EXEC_COMMAND_LIST) {
            if (header.code == LVN_ITEMCHANGED) {
                const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
                if (!filling_ && (change.uChanged & LVIF_STATE) &&
                    ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
                    selectionChanged();
                return TRUE;
            }
            if (header.code == NM_DBLCLK) {
                int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
                if (valid(row)) finish(commands_[static_cast<std::size_t>(row)]);
                return TRUE;
            }
            if (header.code == LVN_KEYDOWN &&
                reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) {
                remove();
                return TRUE;
            }
        }
        if (header.idFrom == IDC_EXEC_COMMAND_SPIN && header.code == UDN_DELTAPOS) {
            const auto& spin = reinterpret_cast<const NMUPDOWN&>(header);
            // The upper arrow raises the position and moves the item up.
            if (spin.iDelta != 0)
                fill(moveExecCommand(commands_, selectedRow(), spin.iDelta > 0 ? -1 : 1));
            SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);  // keep the position
            return TRUE;
        }
        return FALSE;
    }

    void selectionChanged() {
        int row = selectedRow();
        EnableWindow(item(IDC_EXEC_COMMAND_DELETE), valid(row));
        std::string position = valid(row) ? std::to_string(row + 1) : std::string();
        SetWindowTextA(item(IDC_EXEC_COMMAND_POSITION), position.c_str());
        if (!valid(row)) return;
        quiet_ = true;
        SetWindowTextA(item(IDC_EXEC_COMMAND_TEXT),
                       commands_[static_cast<std::size_t>(row)].c_str());
        quiet_ = false;
    }

    void remove() {
        int row = selectedRow();
        if (!valid(row)) return;
        deleteExecCommand(commands_, row);
        fill(-1);
    }

    void chooseProgram() {
        char name[1024] = "";
        OPENFILENAMEA chooser{};
        chooser.lStructSize = sizeof chooser;
        chooser.hwndOwner = hwnd_;
        chooser.lpstrFilter = "Programs (*.EXE)\0*.EXE\0All files (*.*)\0*.*\0";
        chooser.lpstrFile = name;
        chooser.nMaxFile = sizeof name;
        chooser.lpstrInitialDir = localDirectory(paneDirectory_) ? paneDirectory_.c_str() : nullptr;
        chooser.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                        OFN_NOCHANGEDIR;
        if (!GetOpenFileNameA(&chooser)) return;
        HWND text = item(IDC_EXEC_COMMAND_TEXT);
        SetWindowTextA(text, name);
        select(-1);
        SetFocus(text);
    }

    // The list goes back only when it changed: a file that could not be read
    // must not be replaced by the empty list it gave.
    void finish(const std::string& result) {
        if (commands_ != loaded_) saveExecCommands(tablePath_, commands_);
        savePlace();
        if (blank(result)) {
            EndDialog(hwnd_, IDCANCEL);
            return;
        }
        chosen_ = result;
        EndDialog(hwnd_, IDOK);
    }

    bool valid(int row) const {
        return row >= 0 && static_cast<std::size_t>(row) < commands_.size();
    }

    int selectedRow() const {
        return selectedListRow(list_);
    }

    // Selects row, or clears the selection for -1.
    void select(int row) {
        selectListRow(list_, valid(row) ? row : -1);
        selectionChanged();
    }

    void fill(int row) {
        filling_ = true;
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
        for (std::size_t i = 0; i < commands_.size(); ++i) {
            LVITEMA entry{};
            entry.mask = LVIF_TEXT;
            entry.iItem = static_cast<int>(i);
            entry.pszText = const_cast<char*>(commands_[i].c_str());
            SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry));
        }
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
        filling_ = false;
        select(row);
    }

    // "left,top,width,height"; a missing field reads as 0.
    void restorePlace() {
        std::string text = settings_.ReadString(PlaceSection, PlaceKey);
        if (text.empty()) return;
        const std::array<int, 4> field = parseWindowRect(text);
        long long left = field[0], top = field[1];
        long long right = left + field[2], bottom = top + field[3];
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
        if (left == 0 && top == 0) left = 1;
        // A rectangle without area would hide the dialog: it keeps its size then.
        UINT keepSize = right > left && bottom > top ? 0 : SWP_NOSIZE;
        SetWindowPos(hwnd_, nullptr, clampToInt(left), clampToInt(top),
                     clampToInt(right - left), clampToInt(bottom - top),
                     keepSize | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void savePlace() { saveWindowRect(hwnd_, settings_, PlaceSection, PlaceKey); }

    void recordLayout() {
        layout_.record(hwnd_);
        // A combo box's height is that of its open list.
        RECT open;
        SendMessageA(item(IDC_EXEC_COMMAND_TEXT), CB_GETDROPPEDCONTROLRECT, 0,
                     reinterpret_cast<LPARAM>(&open));
        layout_.setHeight(IDC_EXEC_COMMAND_TEXT, open.bottom - open.top);
    }

    void layout() {
        if (!layout_.recorded()) return;
        layout_.apply(hwnd_);
        RECT list;
        GetClientRect(list_, &list);
        SendMessageA(list_, LVM_SETCOLUMNWIDTH, 0, std::max(40, int(list.right - list.left)));
    }

    Settings& settings_;
    std::string tablePath_;
    std::string entryName_;
    std::string paneDirectory_;
    std::string chosen_;
    std::vector<std::string> commands_;
    std::vector<std::string> loaded_;
    HWND list_ = nullptr;
    bool quiet_ = false;    // texts the dialog puts into the combo box leave the list alone
    bool filling_ = false;  // selections made while listing are settled once at the end
    POINT minimum_{};
    AnchoredLayout layout_{
        {IDC_EXEC_COMMAND_ENTRY, AnchoredLayout::Wider},
        {IDC_EXEC_COMMAND_TEXT, AnchoredLayout::Wider},
        {IDC_EXEC_COMMAND_LIST, AnchoredLayout::Wider | AnchoredLayout::Taller},
        {IDOK, AnchoredLayout::Right},
        {IDCANCEL, AnchoredLayout::Right},
        {IDC_EXEC_COMMAND_FILE, AnchoredLayout::Right},
        {IDC_EXEC_COMMAND_ADD, AnchoredLayout::Right},
        {IDC_EXEC_COMMAND_DELETE, AnchoredLayout::Right},
        {IDC_EXEC_COMMAND_MOVE_LABEL, AnchoredLayout::Right},
        {IDC_EXEC_COMMAND_POSITION, AnchoredLayout::Right},
        {IDC_EXEC_COMMAND_SPIN, AnchoredLayout::Right},
    };
};

}  // namespace

bool runExecCommandDialog(HWND owner, Settings& settings, const std::string& tablePath,
                          const std::string& entryName, const std::string& paneDirectory,
                          std::string& chosen) {
    ExecCommandDialog dialog(settings, tablePath, entryName, paneDirectory);
    return dialog.run(owner, chosen);
}
