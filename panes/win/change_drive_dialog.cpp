#include "panes/win/change_drive_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "services/win/window_place.h"
#include "base/win/dialog_object.h"
#include "base/win/list_view.h"
#include "panes/win/change_drive_dialog_ids.h"
#include "panes/win/drive_letters.h"

namespace {

const char* const PlaceSection = "CHANGE_DRIVE";
const char* const PlaceKey = "WindowPos";
constexpr int LetterWidth = 20;
constexpr int PathMargin = 10;

// The controls keep their distances to the edges the template gave them.
struct Anchors {
    RECT list{};            // left, top, and right/bottom as distances from the client edges
    POINT ok{}, cancel{};   // top-left as distances from the bottom-right corner
};

RECT clientRectOf(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class ChangeDriveDialog : public DialogObject<ChangeDriveDialog, FALSE> {
public:
    ChangeDriveDialog(Settings& settings, const DriveMemory& drives)
        : settings_(settings), drives_(drives), letters_(driveLetters()) {}

    bool run(HWND owner) {
        INT_PTR result = runModal(owner, IDD_CHANGE_DRIVE, ICC_LISTVIEW_CLASSES);
        return result == IDOK && chosen_ != 0;
    }
    char chosen() const { return chosen_; }

private:
    friend DialogObject;


    void initialise() {
        list_ = item(IDC_CHANGE_DRIVE_LIST);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
        insertListColumn(list_, 0, "", LetterWidth);
        insertListColumn(list_, 1, "Path", 100);

        RECT client;
        GetClientRect(hwnd_, &client);
        RECT list = clientRectOf(hwnd_, list_);
        anchors_.list = {list.left, list.top, client.right - list.right,
                         client.bottom - list.bottom};
        RECT ok = clientRectOf(hwnd_, item(IDOK));
        RECT cancel = clientRectOf(hwnd_, item(IDCANCEL));
        anchors_.ok = {client.right - ok.left, client.bottom - ok.top};
        anchors_.cancel = {client.right - cancel.left, client.bottom - cancel.top};
        laidOut_ = true;

        for (std::size_t i = 0; i < letters_.size(); ++i) {
            char letter[2] = {letters_[i], '\0'};
            LVITEMA row{};
            row.mask = LVIF_TEXT;
            row.iItem = static_cast<int>(i);
            row.pszText = letter;
            SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
            std::string path = drives_.at(letters_[i] - 'A' + 1);
            LVITEMA cell{};
            cell.iSubItem = 1;
            cell.pszText = const_cast<char*>(path.c_str());
            SendMessageA(list_, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&cell));
        }
        select(currentRow());
        restorePlace();
        layout();
        SetFocus(list_);
    }

    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp) {
        switch (message) {
        case WM_SIZE:
            layout();
            return TRUE;
        case WM_NOTIFY:
            return notify(*reinterpret_cast<NMHDR*>(lp));
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                int row = selectedRow();
                if (row >= 0) finish(letters_[static_cast<std::size_t>(row)]);
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                savePlace();
                EndDialog(hwnd_, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        }
        return FALSE;
    }

    INT_PTR notify(const NMHDR& header) {
        if (header.idFrom != IDC_CHANGE_DRIVE_LIST) return FALSE;
        if (header.code == LVN_KEYDOWN) {
            WORD key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
            if (key >= 'A' && key <= 'Z' && letters_.find(static_cast<char>(key)) !=
                                                std::string::npos)
                finish(static_cast<char>(key));
            return TRUE;
        }
        if (header.code == NM_DBLCLK) {
            int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
            if (row >= 0 && static_cast<std::size_t>(row) < letters_.size())
                finish(letters_[static_cast<std::size_t>(row)]);
            return TRUE;
        }
        return FALSE;
    }

    void finish(char letter) {
        chosen_ = letter;
        savePlace();
        EndDialog(hwnd_, IDOK);
    }

    // The row of the drive the window is on, else the first.
    int currentRow() const {
        char letter = DriveMemory::driveLetterOf(drives_.current());
        std::size_t at = letter ? letters_.find(letter) : std::string::npos;
        return at == std::string::npos ? 0 : static_cast<int>(at);
    }

    int selectedRow() const {
        return selectedListRow(list_);
    }

    void select(int row) {
        if (row < 0 || static_cast<std::size_t>(row) >= letters_.size()) return;
        selectListRow(list_, row);
    }

    void layout() {
        if (!laidOut_) return;
        RECT client;
        GetClientRect(hwnd_, &client);
        const RECT& a = anchors_.list;
        int width = client.right - a.right - a.left;
        int height = client.bottom - a.bottom - a.top;
        SetWindowPos(list_, nullptr, a.left, a.top, width > 0 ? width : 0,
                     height > 0 ? height : 0, SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(item(IDOK), nullptr, client.right - anchors_.ok.x,
                     client.bottom - anchors_.ok.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(item(IDCANCEL), nullptr, client.right - anchors_.cancel.x,
                     client.bottom - anchors_.cancel.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT list;
        GetWindowRect(list_, &list);
        int pathWidth = (list.right - list.left) - LetterWidth - PathMargin;
        SendMessageA(list_, LVM_SETCOLUMNWIDTH, 1, pathWidth < 0 ? 100 : pathWidth);
    }

    // "left,top,width,height" in screen pixels.
    void restorePlace() {
        std::string text = settings_.ReadString(PlaceSection, PlaceKey);
        int left = 0, top = 0, width = 0, height = 0;
        if (std::sscanf(text.c_str(), "%d,%d,%d,%d", &left, &top, &width, &height) != 4) return;
        if (width <= 0 || height <= 0) return;
        MoveWindow(hwnd_, left, top, width, height, TRUE);
    }

    void savePlace() { saveWindowRect(hwnd_, settings_, PlaceSection, PlaceKey); }

    Settings& settings_;
    const DriveMemory& drives_;
    std::string letters_;
    HWND list_ = nullptr;
    Anchors anchors_;
    bool laidOut_ = false;  // WM_SIZE arrives before the anchors are known
    char chosen_ = 0;
};

}  // namespace

bool runChangeDriveDialog(HWND owner, Settings& settings, const DriveMemory& drives,
                          char& chosenLetter) {
    ChangeDriveDialog dialog(settings, drives);
    if (!dialog.run(owner)) return false;
    chosenLetter = dialog.chosen();
    return true;
}
