#include "filesearch/win/search_dialog.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstdlib>

#include "base/sjis.h"
#include "base/win/anchored_layout.h"
#include "base/win/list_view.h"
#include "base/win/window_text.h"
#include "filesearch/result_row.h"
#include "filesearch/win/quorvane_ids.h"
#include "filesearch/win/win_folder_reader.h"
#include "services/safe_format.h"
#include "services/settings.h"
#include "services/win/vorbin_window.h"

namespace {

constexpr UINT MsgSearchDone = WM_APP + 1;
constexpr UINT_PTR RefreshTimer = 1;

AnchoredLayout& layout() {
    static AnchoredLayout l{{IDC_QV_PATTERN, AnchoredLayout::Wider},
                            {IDC_QV_FOLDER, AnchoredLayout::Wider},
                            {IDC_QV_BROWSE, AnchoredLayout::Right},
                            {IDC_QV_SEARCH, AnchoredLayout::Right},
                            {IDCANCEL, AnchoredLayout::Right},
                            {IDC_QV_STATUS, AnchoredLayout::Wider},
                            {IDC_QV_RESULTS, AnchoredLayout::Wider | AnchoredLayout::Taller}};
    return l;
}

std::string number(std::size_t n) { return sizeText(n); }

std::string text(UINT id) {
    char buffer[512] = "";
    LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return buffer;
}

std::string text(UINT id, std::initializer_list<FormatArg> args) {
    return safeFormat(text(id), std::span<const FormatArg>(args.begin(), args.size()));
}

}  // namespace

SearchDialog::SearchDialog(CallerWindow caller, std::string programDirectory)
    : caller_(std::move(caller)), programDirectory_(std::move(programDirectory)) {}

SearchDialog::~SearchDialog() { stop(); }

void SearchDialog::run() { runModal(nullptr, IDD_QUORVANE, ICC_LISTVIEW_CLASSES); }

void SearchDialog::initialise() {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUORVANE));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SetDlgItemTextA(hwnd_, IDC_QV_PATTERN, "*.*");
    SetDlgItemTextA(hwnd_, IDC_QV_FOLDER, caller_.folder.c_str());
    CheckDlgButton(hwnd_, IDC_QV_SUBFOLDERS, BST_CHECKED);
    HWND list = item(IDC_QV_RESULTS);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    insertListColumn(list, 0, text(IDS_QV_COLUMN_PATH).c_str(), 300);
    insertListColumn(list, 1, text(IDS_QV_COLUMN_SIZE).c_str(), 90);
    insertListColumn(list, 2, text(IDS_QV_COLUMN_TIME).c_str(), 130);
    LVCOLUMNA right{};
    right.mask = LVCF_FMT;
    right.fmt = LVCFMT_RIGHT;
    SendMessageA(list, LVM_SETCOLUMNA, 1, reinterpret_cast<LPARAM>(&right));
    layout().record(hwnd_);
    fitPathColumn();
    SetDlgItemTextA(hwnd_, IDC_QV_STATUS,
                    caller_.folder.empty() ? text(IDS_QV_NO_FOLDER_GIVEN).c_str() : "");
    SetFocus(item(IDC_QV_PATTERN));
    SendMessageA(item(IDC_QV_PATTERN), EM_SETSEL, 0, -1);
    SetForegroundWindow(hwnd_);
}

INT_PTR SearchDialog::handle(UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDOK:
        case IDC_QV_SEARCH:
            // Enter on a result hands it over (a click on the button takes
            // the focus off the list first); otherwise it searches or stops.
            if (GetFocus() == item(IDC_QV_RESULTS)) {
                handOver(static_cast<int>(
                    SendMessageA(item(IDC_QV_RESULTS), LVM_GETNEXTITEM, -1, LVNI_SELECTED)));
            } else if (running_) {
                cancel_ = true;
            } else {
                start();
            }
            return TRUE;
        case IDC_QV_BROWSE:
            browse();
            return TRUE;
        case IDCANCEL:
            // The first Escape stops a running search, the next one closes.
            if (running_) {
                cancel_ = true;
            } else {
                EndDialog(hwnd_, 0);
            }
            return TRUE;
        }
        break;
    case WM_TIMER:
        if (wp == RefreshTimer) takeResults(false);
        return TRUE;
    case MsgSearchDone:
        if (worker_.joinable()) worker_.join();
        KillTimer(hwnd_, RefreshTimer);
        takeResults(true);
        SetDlgItemTextA(hwnd_, IDC_QV_SEARCH, text(IDS_QV_SEARCH).c_str());
        // Straight on to the results, unless the user went elsewhere meanwhile.
        if (!hits_.empty() && GetFocus() == focusAtStart_) SetFocus(item(IDC_QV_RESULTS));
        return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lp);
        if (header->idFrom != IDC_QV_RESULTS) break;
        if (header->code == LVN_GETDISPINFOA) {
            auto* info = reinterpret_cast<NMLVDISPINFOA*>(lp);
            if (info->item.mask & LVIF_TEXT) {
                cellText_ = rowText(info->item.iItem, info->item.iSubItem);
                info->item.pszText = cellText_.data();
            }
            return TRUE;
        }
        if (header->code == NM_DBLCLK) {
            handOver(reinterpret_cast<NMITEMACTIVATE*>(lp)->iItem);
            return TRUE;
        }
        break;
    }
    case WM_SIZE:
        layout().apply(hwnd_);
        fitPathColumn();
        return TRUE;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {420, 260};
        return TRUE;
    }
    return FALSE;
}

void SearchDialog::start() {
    stop();
    SearchRequest request{windowText(item(IDC_QV_PATTERN)), windowText(item(IDC_QV_FOLDER)),
                          IsDlgButtonChecked(hwnd_, IDC_QV_SUBFOLDERS) == BST_CHECKED};
    while (request.folder.size() > 3 && request.folder.back() == '\\' &&
           sjis::findLastChar(request.folder, '\\') == request.folder.size() - 1)
        request.folder.pop_back();
    const DWORD attributes = GetFileAttributesA(request.folder.c_str());
    if (request.folder.empty() || attributes == INVALID_FILE_ATTRIBUTES ||
        !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetDlgItemTextA(hwnd_, IDC_QV_STATUS, text(IDS_QV_FOLDER_MISSING, {request.folder}).c_str());
        SetFocus(item(IDC_QV_FOLDER));
        return;
    }
    focusAtStart_ = GetFocus();
    hits_.clear();
    counts_ = {};
    finished_ = false;
    SendMessageA(item(IDC_QV_RESULTS), LVM_SETITEMCOUNT, 0, 0);
    cancel_ = false;
    running_ = true;
    SetDlgItemTextA(hwnd_, IDC_QV_SEARCH, text(IDS_QV_STOP).c_str());
    SetTimer(hwnd_, RefreshTimer, 100, nullptr);
    showStatus();
    HWND window = hwnd_;
    worker_ = std::thread([this, request, window] {
        WinFolderReader reader;
        SearchCounts counts = searchTree(
            request, reader, cancel_,
            [this](SearchHit&& hit) {
                std::lock_guard<std::mutex> guard(lock_);
                incoming_.push_back(std::move(hit));
            },
            [this](const SearchCounts& c) {
                std::lock_guard<std::mutex> guard(lock_);
                incomingCounts_ = c;
            });
        {
            std::lock_guard<std::mutex> guard(lock_);
            incomingCounts_ = counts;
        }
        running_ = false;
        PostMessageA(window, MsgSearchDone, 0, 0);
    });
}

void SearchDialog::stop() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
    running_ = false;
}

void SearchDialog::takeResults(bool finished) {
    std::vector<SearchHit> batch;
    {
        std::lock_guard<std::mutex> guard(lock_);
        batch.swap(incoming_);
        counts_ = incomingCounts_;
    }
    finished_ = finished;
    if (!batch.empty()) {
        hits_.insert(hits_.end(), std::make_move_iterator(batch.begin()),
                     std::make_move_iterator(batch.end()));
        SendMessageA(item(IDC_QV_RESULTS), LVM_SETITEMCOUNT, hits_.size(),
                     LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
        if (hits_.size() == batch.size())
            ListView_SetItemState(item(IDC_QV_RESULTS), 0, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
    }
    showStatus();
}

void SearchDialog::showStatus() {
    std::string status;
    if (!finished_) {
        status = text(IDS_QV_RUNNING, {number(counts_.folders), number(hits_.size())});
    } else {
        status = text(IDS_QV_DONE,
                      {number(hits_.size()), number(counts_.folders), number(counts_.files)});
        if (counts_.unreadable) status += text(IDS_QV_UNREADABLE, {number(counts_.unreadable)});
        if (counts_.cancelled) status += text(IDS_QV_CANCELLED);
    }
    SetDlgItemTextA(hwnd_, IDC_QV_STATUS, status.c_str());
}

std::string SearchDialog::rowText(int row, int column) const {
    if (row < 0 || static_cast<std::size_t>(row) >= hits_.size()) return {};
    const SearchHit& hit = hits_[row];
    if (column == 0) return hit.path;
    if (column == 1) return sizeText(hit.size);
    FILETIME utc{static_cast<DWORD>(hit.writeTime), static_cast<DWORD>(hit.writeTime >> 32)};
    FILETIME local;
    SYSTEMTIME t;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &t)) return {};
    return timeText({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute});
}

void SearchDialog::handOver(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= hits_.size()) return;
    const std::string& path = hits_[row].path;
    // The pane the calling instance published, else its main window.
    char handle[32] = "";
    GetPrivateProfileStringA("VORBIN_QUORVANE",
                             Settings::InstanceKey("Vorbin", caller_.instance).c_str(), "0", handle,
                             sizeof handle, (programDirectory_ + "Vorbin.ini").c_str());
    HWND target =
        reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(handle, nullptr, 10)));
    HWND main = findInstanceWindow(caller_.instance);
    if (!target || !IsWindow(target) || GetAncestor(target, GA_ROOT) != main) target = main;
    if (!target) {
        SetDlgItemTextA(hwnd_, IDC_QV_STATUS, text(IDS_QV_NO_VORBIN).c_str());
        return;
    }
    SetForegroundWindow(main);
    COPYDATASTRUCT data{0, static_cast<DWORD>(path.size() + 1), const_cast<char*>(path.c_str())};
    SendMessageTimeoutA(target, WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd_),
                        reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 30000, nullptr);
}

void SearchDialog::fitPathColumn() {
    // The path takes what the size and the time leave, less a scroll bar.
    HWND list = item(IDC_QV_RESULTS);
    RECT client;
    GetClientRect(list, &client);
    const int rest = client.right - GetSystemMetrics(SM_CXVSCROLL) -
                     static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0)) -
                     static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, 2, 0));
    if (rest > 120) SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, rest);
}

void SearchDialog::browse() {
    char chosen[MAX_PATH] = "";
    BROWSEINFOA info{};
    info.hwndOwner = hwnd_;
    info.pszDisplayName = chosen;
    const std::string title = text(IDS_QV_BROWSE_TITLE);
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    LPITEMIDLIST id = SHBrowseForFolderA(&info);
    if (!id) return;
    if (SHGetPathFromIDListA(id, chosen)) SetDlgItemTextA(hwnd_, IDC_QV_FOLDER, chosen);
    CoTaskMemFree(id);
}
