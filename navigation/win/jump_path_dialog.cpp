#include "navigation/win/jump_path_dialog.h"

#include <commctrl.h>
#include <imm.h>

#include <cstdio>
#include <array>
#include <vector>

#include "services/window_rect.h"
#include "services/win/window_place.h"
#include "base/sjis.h"
#include "base/win/dialog_object.h"
#include "base/win/list_view.h"
#include "base/win/window_text.h"
#include "navigation/key_table.h"
#include "navigation/path_completion.h"
#include "navigation/win/completing_field.h"
#include "navigation/win/jump_path_dialog_ids.h"
#include "panes/ext_table.h"
#include "panes/win/win_file_system.h"
#include "services/table_files.h"

namespace {

constexpr std::size_t HistoryLimit = 10;
constexpr UINT BackslashKey = 220;  // the key that types "\" (VK_OEM_5)

bool down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

std::string historyKey(std::size_t i) {
    char key[16];
    std::snprintf(key, sizeof key, "TEXT%02u", static_cast<unsigned>(i));
    return key;
}

// The letter or digit a key stands for (keypad digits as digits), else 0.
char keyCharacter(WPARAM vk) {
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return static_cast<char>(vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<char>('0' + (vk - VK_NUMPAD0));
    return 0;
}

// imm32 is not linked: it is looked up the first time, and a system without
// it simply keeps its input method as it is.
void closeInputMethod(HWND hwnd) {
    using GetContext = HIMC(WINAPI*)(HWND);
    using SetOpen = BOOL(WINAPI*)(HIMC, BOOL);
    using Release = BOOL(WINAPI*)(HWND, HIMC);
    static HMODULE imm = LoadLibraryA("imm32.dll");
    if (!imm) return;
    static auto getContext = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(GetProcAddress(imm, "ImmGetContext")));
    static auto setOpen = reinterpret_cast<SetOpen>(
        reinterpret_cast<void*>(GetProcAddress(imm, "ImmSetOpenStatus")));
    static auto release = reinterpret_cast<Release>(
        reinterpret_cast<void*>(GetProcAddress(imm, "ImmReleaseContext")));
    if (!getContext || !setOpen || !release) return;
    if (HIMC context = getContext(hwnd)) {
        setOpen(context, FALSE);
        release(hwnd, context);
    }
}

class JumpPathDialog : public DialogObject<JumpPathDialog, FALSE> {
public:
    JumpPathDialog(JumpMode mode, Settings& settings, const std::string& initial,
                   const ExtTable& colours)
        : title_(jumpModeTitle(mode)),
          tableFile_(settings.ProgramDirectory() + jumpModeTableFile(mode)),
          settings_(settings),
          initial_(withoutParentStep(initial)),
          pathField_(completionSource(fileSystem_, colours), settings.DirFindKey,
                     settings.FileFindKey) {
        table_.load(tableFile_);
        for (std::size_t i = 0; i < HistoryLimit; ++i) {
            std::string text = settings.ReadString(title_, historyKey(i));
            if (!text.empty()) history_.push_back(std::move(text));
        }
    }

    INT_PTR run(HWND owner) {
        return runModal(owner, IDD_JUMP_PATH, ICC_LISTVIEW_CLASSES);
    }
    const std::string& chosen() const { return chosen_; }

private:
    friend DialogObject;

    HWND pathEdit() const { return FindWindowExA(item(IDC_JUMP_PATH), nullptr, "Edit", nullptr); }

    void initialise() {
        SetWindowTextA(hwnd_, title_.c_str());
        restorePosition();
        SendMessageA(item(IDC_JUMP_KEY), EM_LIMITTEXT, 1, 0);
        SendMessageA(item(IDC_JUMP_SELECT), EM_LIMITTEXT, 1, 0);

        HWND list = item(IDC_JUMP_LIST);
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
        addColumn(list, 0, "KEY", 40);
        addColumn(list, 1, "PATH", 1000);
        fillList();

        HWND combo = item(IDC_JUMP_PATH);
        for (const std::string& text : history_)
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SetWindowTextA(combo, initial_.c_str());

        SetWindowSubclass(item(IDC_JUMP_SELECT), selectFieldProcedure, 0,
                          reinterpret_cast<DWORD_PTR>(this));
        pathField_.attach(pathEdit());
        // The quickest use is one key press, so the dialog opens ready for it.
        SetFocus(item(IDC_JUMP_SELECT));
    }

    static void addColumn(HWND list, int index, const char* title, int width) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(title);
        column.cx = width;
        SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    }

    void fillList() {
        HWND list = item(IDC_JUMP_LIST);
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        const auto& pairs = table_.pairs();
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            char key[2] = {pairs[i].key, '\0'};
            if (key[0] >= 'a' && key[0] <= 'z') key[0] = static_cast<char>(key[0] - 'a' + 'A');
            LVITEMA row{};
            row.mask = LVIF_TEXT;
            row.iItem = static_cast<int>(i);
            row.pszText = key;
            int at = static_cast<int>(
                SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
            row.iItem = at;
            row.iSubItem = 1;
            row.pszText = const_cast<char*>(pairs[i].text.c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&row));
        }
    }

    void saveTable() { table_.save(tableFile_); }

    void status(const std::string& text) { SetWindowTextA(item(IDC_JUMP_STATUS), text.c_str()); }

    void choose(std::string text) {
        chosen_ = std::move(text);
        saveTable();
        EndDialog(hwnd_, IDOK);
    }

    void enter() {
        std::string key = windowText(item(IDC_JUMP_KEY));
        if (key.empty()) return;
        table_.setLine(key.substr(0, 1) + "," + windowText(item(IDC_JUMP_PATH)));
        SetWindowTextA(item(IDC_JUMP_KEY), "");
        fillList();
        saveTable();
    }

    int selectedRow() const {
        return selectedListRow(item(IDC_JUMP_LIST));
    }

    void deleteRow() {
        int row = selectedRow();
        if (row < 0 || !table_.remove(static_cast<std::size_t>(row))) return;
        fillList();
        EnableWindow(item(IDC_JUMP_DELETE), FALSE);
        saveTable();
    }

    void accept() {
        std::string text = windowText(item(IDC_JUMP_PATH));
        if (!text.empty()) {
            history_.insert(history_.begin(), text);
            if (history_.size() > HistoryLimit) history_.resize(HistoryLimit);
            for (std::size_t i = 0; i < history_.size(); ++i)
                settings_.WriteString(title_, historyKey(i), history_[i]);
        }
        choose(std::move(text));
    }

    // Returns true when the key was the dialog's.
    bool selectKey(WPARAM vk) {
        if (vk == BackslashKey) {
            choose("\\");
            return true;
        }
        char key = keyCharacter(vk);
        if (!key) return false;
        if (down(VK_SHIFT)) {
            SetWindowTextA(item(IDC_JUMP_KEY), std::string(1, key).c_str());
            enter();
            return true;
        }
        if (const std::string* text = table_.find(key)) {
            choose(*text);
        } else {
            char message[32];
            std::snprintf(message, sizeof message, "Error (%c)", key);
            status(message);
        }
        return true;
    }

    static LRESULT CALLBACK selectFieldProcedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp,
                                                 UINT_PTR, DWORD_PTR data) {
        auto* self = reinterpret_cast<JumpPathDialog*>(data);
        switch (message) {
        case WM_KEYDOWN:
            if (self->selectKey(wp)) {
                self->swallowSelectChar_ = true;
                return 0;
            }
            break;
        case WM_CHAR:
            // The character of a key already handled must not land in the field.
            if (self->swallowSelectChar_) {
                self->swallowSelectChar_ = false;
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, selectFieldProcedure, 0);
            break;
        }
        return DefSubclassProc(hwnd, message, wp, lp);
    }

    void restorePosition() {
        std::string text = settings_.ReadString(title_, "WindowPos");
        if (text.empty()) return;
        const std::array<int, 4> field = parseWindowRect(text);
        SetWindowPos(hwnd_, nullptr, field[0], field[1], 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void savePosition() { saveWindowRect(hwnd_, settings_, title_, "WindowPos"); }

    void command(int id, int code) {
        switch (id) {
        case IDOK:
            accept();
            break;
        case IDCANCEL:
            EndDialog(hwnd_, IDCANCEL);
            break;
        case IDC_JUMP_ENTER:
            enter();
            break;
        case IDC_JUMP_DELETE:
            deleteRow();
            break;
        case IDC_JUMP_STATUS:
            if (code == BN_CLICKED) SetFocus(item(IDC_JUMP_SELECT));
            break;
        case IDC_JUMP_SELECT:
            if (code == EN_SETFOCUS) {
                closeInputMethod(item(IDC_JUMP_SELECT));
                status("Key Select");
            } else if (code == EN_KILLFOCUS) {
                status("Data Input");
            }
            break;
        }
    }

    void notify(const NMHDR& header, LPARAM lp) {
        if (header.idFrom != IDC_JUMP_LIST) return;
        if (header.code == LVN_ITEMCHANGED) {
            const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lp);
            bool nowSelected = (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
            if (!nowSelected || change.iItem < 0) return;
            const auto& pairs = table_.pairs();
            if (static_cast<std::size_t>(change.iItem) >= pairs.size()) return;
            SetWindowTextA(item(IDC_JUMP_PATH), pairs[change.iItem].text.c_str());
            pathField_.textSet(pairs[change.iItem].text);
            EnableWindow(item(IDC_JUMP_DELETE), TRUE);
        } else if (header.code == NM_DBLCLK) {
            int row = reinterpret_cast<const NMITEMACTIVATE*>(lp)->iItem;
            const auto& pairs = table_.pairs();
            if (row >= 0 && static_cast<std::size_t>(row) < pairs.size()) choose(pairs[row].text);
        }
    }

    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp) {
        switch (message) {
        case WM_COMMAND:
            command(LOWORD(wp), HIWORD(wp));
            return TRUE;
        case WM_NOTIFY:
            notify(*reinterpret_cast<const NMHDR*>(lp), lp);
            return FALSE;
        case WM_DESTROY:
            savePosition();
            return FALSE;
        }
        return FALSE;
    }

    std::string title_;
    std::string tableFile_;
    Settings& settings_;
    std::string initial_;
    WinFileSystem fileSystem_;
    CompletingField pathField_;
    KeyTable table_;
    std::vector<std::string> history_;
    std::string chosen_;
    bool swallowSelectChar_ = false;
};

}  // namespace

const char* jumpModeTitle(JumpMode mode) {
    switch (mode) {
    case JumpMode::Execute: return "Execute";
    case JumpMode::History: return "History";
    case JumpMode::Jump: break;
    }
    return "Jump";
}

const char* jumpModeTableFile(JumpMode mode) {
    switch (mode) {
    case JumpMode::Execute: return ExecuteTableFile;
    case JumpMode::History: return HistoryTableFile;
    case JumpMode::Jump: break;
    }
    return JumpTableFile;
}

std::string withoutParentStep(std::string_view path) {
    if (path.size() >= 3 && path.substr(path.size() - 2) == "..") {
        std::size_t slash = path.size() - 3;
        // A "\" that is the trail byte of a double-byte character is no separator.
        if ((path[slash] == '\\' && sjis::findLastChar(path, '\\') == slash) ||
            (path[slash] == '/' && sjis::findLastChar(path, '/') == slash))
            return std::string(path.substr(0, slash));
    }
    return std::string(path);
}

bool runJumpPathDialog(HWND owner, JumpMode mode, Settings& settings,
                       const std::string& currentPath, std::string& chosen,
                       const ExtTable* colours) {
    static const ExtTable noColours;
    JumpPathDialog dialog(mode, settings, currentPath, colours ? *colours : noColours);
    if (dialog.run(owner) != IDOK || dialog.chosen().empty()) return false;
    chosen = dialog.chosen();
    return true;
}
