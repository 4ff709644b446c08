#include "commands/win/key_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <utility>
#include <vector>

#include "base/win/anchored_layout.h"
#include "base/win/dialog_object.h"
#include "base/win/list_view.h"
#include "base/win/window_text.h"
#include "commands/command_labels.h"
#include "commands/key_dialog_model.h"
#include "commands/key_names.h"
#include "commands/win/key_dialog_ids.h"
#include "services/message_numbers.h"
#include "services/table_files.h"
#include "services/win/message_box.h"

namespace {

// "Command.TBL" is read the first time a label is needed and kept for the
// run. A process has one program directory; a different one (as the tests
// use) is read afresh.
const CommandLabels& commandLabels(const std::string& programDirectory) {
    static CommandLabels labels;
    static std::string loadedFrom;
    static bool loaded = false;
    if (!loaded || loadedFrom != programDirectory) {
        labels.load(programDirectory + CommandLabelsFile);
        loadedFrom = programDirectory;
        loaded = true;
    }
    return labels;
}

// A filter written as "text|pattern|...|" with the NULs the file dialog wants.
std::string fileFilter(const char* text) {
    std::string filter = text;
    for (char& c : filter)
        if (c == '|') c = '\0';
    return filter + '\0';
}

const char* const KeyFileFilter = "Key Files (*.KEY)|*.KEY|";
const char* const ProgramFilter = "Exe Files (*.exe)|*.exe|All Files (*.*)|*.*||";

struct Column {
    const char* title;
    int width;
    int format;
};
const Column Columns[] = {
    {"Key", 40, LVCFMT_CENTER},   {"Ctrl", 40, LVCFMT_CENTER},     {"Alt", 40, LVCFMT_CENTER},
    {"Shift", 40, LVCFMT_CENTER}, {"Command", 200, LVCFMT_LEFT},
};

class KeyDialog : public DialogObject<KeyDialog> {
public:
    KeyDialog(const std::string& programDirectory, const KeyMap& map)
        : programDirectory_(programDirectory),
          labels_(commandLabels(programDirectory)),
          copy_(map) {}

    // IDOK, IDCANCEL, or -1 when the dialog could not be made.
    INT_PTR run(HWND owner) {
        return runModal(owner, IDD_KEY_DIALOG, ICC_LISTVIEW_CLASSES);
    }
    const KeyMap& map() const { return copy_; }

private:
    friend DialogObject;
    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp) {
        switch (message) {
        case WM_COMMAND:
            command(LOWORD(wp), HIWORD(wp));
            return TRUE;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<const NMHDR*>(lp);
            if (header->idFrom == IDC_KEY_LIST && header->code == LVN_ITEMCHANGED)
                rowChanged(*reinterpret_cast<const NMLISTVIEW*>(lp));
            return FALSE;
        }
        case WM_GETMINMAXINFO:
            limitSize(*reinterpret_cast<MINMAXINFO*>(lp));
            return TRUE;
        case WM_NCHITTEST:
            return answer(hitTest(wp, lp));
        case WM_SIZE:
            if (wp != SIZE_MINIMIZED) layout();
            return TRUE;
        }
        return FALSE;
    }

    INT_PTR answer(LRESULT result) {
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }

    void initialise() {
        HWND list = item(IDC_KEY_LIST);
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
        // The first column of a list view is always left-aligned; one that
        // starts second and moves up when the first goes keeps its alignment.
        LVCOLUMNA spacer{};
        spacer.mask = LVCF_WIDTH;
        SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&spacer));
        int index = 1;
        for (const Column& c : Columns) {
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            column.fmt = c.format;
            column.cx = c.width;
            column.pszText = const_cast<char*>(c.title);
            SendMessageA(list, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&column));
        }
        SendMessageA(list, LVM_DELETECOLUMN, 0, 0);

        for (const KeyName& name : keyNames())
            SendMessageA(item(IDC_KEY_NAME), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.name));
        for (const std::string& text : commandBoxItems(labels_))
            SendMessageA(item(IDC_KEY_COMMAND), CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(text.c_str()));

        listBindings();
        rememberLayout();
    }

    void command(int id, int code) {
        switch (id) {
        case IDC_KEY_NAME:
            if (code == CBN_EDITCHANGE && !quiet_) {
                check(IDC_KEY_SHIFT, false);
                check(IDC_KEY_CTRL, false);
                check(IDC_KEY_ALT, false);
                refresh(text(IDC_KEY_NAME));
            } else if (code == CBN_SELCHANGE) {
                // The edit part still shows the old text at this point.
                refresh(chosenText(IDC_KEY_NAME));
            }
            break;
        case IDC_KEY_SHIFT:
            if (code == BN_CLICKED) refresh(text(IDC_KEY_NAME));
            break;
        case IDC_KEY_CTRL:
        case IDC_KEY_ALT:
            if (code == BN_CLICKED) {
                // A binding with both is listed when a file has one, but this
                // dialog never makes one.
                int other = id == IDC_KEY_CTRL ? IDC_KEY_ALT : IDC_KEY_CTRL;
                if (checked(other)) check(other, false);
                refresh(text(IDC_KEY_NAME));
            }
            break;
        case IDC_KEY_FILE:
            chooseProgram();
            break;
        case IDC_KEY_SET:
            setBinding();
            break;
        case IDC_KEY_DEL:
            deleteBinding();
            break;
        case IDC_KEY_SAVE:
            saveKeyFile();
            break;
        case IDC_KEY_LOAD:
            loadKeyFile();
            break;
        case IDOK:
        case IDCANCEL:
            EndDialog(hwnd_, id);
            break;
        }
    }

    // Sorts the copy into display order and shows it; row i is binding i.
    void listBindings() {
        HWND list = item(IDC_KEY_LIST);
        quiet_ = true;
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        copy_.sortForDisplay();
        for (std::size_t i = 0; i < copy_.size(); ++i) {
            KeyRow row = keyRow(copy_[i], labels_);
            const std::string* cells[] = {&row.key, &row.ctrl, &row.alt, &row.shift, &row.command};
            LVITEMA entry{};
            entry.mask = LVIF_TEXT;
            entry.iItem = static_cast<int>(i);
            entry.pszText = const_cast<char*>(cells[0]->c_str());
            int at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0,
                                                   reinterpret_cast<LPARAM>(&entry)));
            for (int sub = 1; sub < 5; ++sub) {
                LVITEMA cell{};
                cell.iSubItem = sub;
                cell.pszText = const_cast<char*>(cells[sub]->c_str());
                SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&cell));
            }
        }
        // The command column takes its longest label, so no Japanese label is cut.
        SendMessageA(list, LVM_SETCOLUMNWIDTH, 4, LVSCW_AUTOSIZE);
        if (SendMessageA(list, LVM_GETCOLUMNWIDTH, 4, 0) < Columns[4].width)
            SendMessageA(list, LVM_SETCOLUMNWIDTH, 4, Columns[4].width);
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
        quiet_ = false;
    }

    void selectRow(int row) {
        if (row < 0) return;
        selectListRow(item(IDC_KEY_LIST), row);
    }

    void rowChanged(const NMLISTVIEW& change) {
        if (quiet_ || change.iItem < 0 || static_cast<std::size_t>(change.iItem) >= copy_.size())
            return;
        bool nowSelected = (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
        if (!nowSelected) return;
        const KeyBinding& binding = copy_[static_cast<std::size_t>(change.iItem)];
        std::string name = keyName(binding.key);
        showKeyName(name);
        check(IDC_KEY_SHIFT, binding.shift);
        check(IDC_KEY_CTRL, binding.ctrl);
        check(IDC_KEY_ALT, binding.alt);
        refresh(name);
    }

    void refresh(const std::string& keyText) {
        KeyBoxState state = refreshKeyBox(keyText, checked(IDC_KEY_SHIFT), checked(IDC_KEY_CTRL),
                                          checked(IDC_KEY_ALT), copy_, labels_);
        if (!state.changed) return;
        enable(IDC_KEY_SET, state.setEnabled);
        if (state.key == 0) return;  // not a key: only Set is refused
        check(IDC_KEY_SHIFT, state.shift);
        enable(IDC_KEY_SHIFT, state.shiftEnabled);
        enable(IDC_KEY_CTRL, state.modifiersEnabled);
        enable(IDC_KEY_ALT, state.modifiersEnabled);
        if (state.commandTextChanged) setText(IDC_KEY_COMMAND, state.commandText);
        enable(IDC_KEY_COMMAND, state.commandEnabled);
    }

    KeyBinding bindingFromDialog() const {
        return bindingFromControls(text(IDC_KEY_NAME), checked(IDC_KEY_SHIFT),
                                   checked(IDC_KEY_CTRL), checked(IDC_KEY_ALT),
                                   text(IDC_KEY_COMMAND), labels_);
    }

    void setBinding() {
        // A disabled Set is a refusal (F7, F8 and F9 keep their commands),
        // whichever way the command arrives.
        if (!IsWindowEnabled(item(IDC_KEY_SET))) return;
        KeyBinding binding = bindingFromDialog();
        if (binding.key == 0) return;  // an empty key box names no key
        copy_.set(binding);
        listBindings();
        selectRow(copy_.find(binding.key, binding.shift, binding.ctrl, binding.alt));
    }

    void deleteBinding() {
        KeyBinding binding = bindingFromDialog();
        int index = copy_.find(binding.key, binding.shift, binding.ctrl, binding.alt);
        if (index < 0) return;
        copy_.remove(index);
        listBindings();
        refresh(text(IDC_KEY_NAME));
    }

    void chooseProgram() {
        std::string path = askFile(false, ProgramFilter, nullptr, "");
        if (!path.empty()) setText(IDC_KEY_COMMAND, path);
    }

    void saveKeyFile() {
        std::string path = askFile(true, KeyFileFilter, "KEY", programDirectory_ + "Default");
        if (!path.empty() && !copy_.save(path)) showMessage(hwnd_, MessageTableNotSaved, path);
    }

    void loadKeyFile() {
        std::string path = askFile(false, KeyFileFilter, "KEY", programDirectory_ + "Default");
        if (path.empty()) return;
        copy_.load(path);
        listBindings();
    }

    // The chosen path, or "" when the user cancelled.
    std::string askFile(bool save, const char* filter, const char* defaultExtension,
                        const std::string& initial) {
        std::string filterText = fileFilter(filter);
        std::vector<char> buffer(4096, '\0');
        initial.copy(buffer.data(), buffer.size() - 1);
        OPENFILENAMEA request{};
        request.lStructSize = sizeof request;
        request.hwndOwner = hwnd_;
        request.lpstrFilter = filterText.c_str();
        request.lpstrFile = buffer.data();
        request.nMaxFile = static_cast<DWORD>(buffer.size());
        request.lpstrDefExt = defaultExtension;
        request.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                        (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
        BOOL chosen = save ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
        return chosen ? std::string(buffer.data()) : std::string();
    }

    // Key names are case-sensitive ("A" is a name, "a" a typed character)
    // while the combo box's own search is not.
    void showKeyName(const std::string& name) {
        HWND box = item(IDC_KEY_NAME);
        int found = -1;
        for (int at = -1;;) {
            int next = static_cast<int>(SendMessageA(box, CB_FINDSTRINGEXACT, at,
                                                     reinterpret_cast<LPARAM>(name.c_str())));
            if (next == CB_ERR || next <= at) break;
            if (itemText(box, next) == name) {
                found = next;
                break;
            }
            at = next;
        }
        quiet_ = true;
        SendMessageA(box, CB_SETCURSEL, found, 0);
        if (found < 0) SetWindowTextA(box, name.c_str());
        quiet_ = false;
    }

    static std::string itemText(HWND box, int index) {
        LRESULT length = SendMessageA(box, CB_GETLBTEXTLEN, index, 0);
        if (length == CB_ERR) return {};
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        SendMessageA(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        return text;
    }

    std::string chosenText(int id) const {
        HWND box = item(id);
        int index = static_cast<int>(SendMessageA(box, CB_GETCURSEL, 0, 0));
        return index == CB_ERR ? text(id) : itemText(box, index);
    }

    std::string text(int id) const { return windowText(item(id)); }

    void setText(int id, const std::string& text) {
        quiet_ = true;
        SetWindowTextA(item(id), text.c_str());
        quiet_ = false;
    }

    bool checked(int id) const {
        return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void check(int id, bool on) {
        SendMessageA(item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void enable(int id, bool on) { EnableWindow(item(id), on); }

    void rememberLayout() {
        layout_.record(hwnd_);
        // A combo box's height includes its drop-down list.
        RECT dropped;
        SendMessageA(item(IDC_KEY_COMMAND), CB_GETDROPPEDCONTROLRECT, 0,
                     reinterpret_cast<LPARAM>(&dropped));
        layout_.setHeight(IDC_KEY_COMMAND, dropped.bottom - dropped.top);
        RECT window, shift, set;
        GetWindowRect(hwnd_, &window);
        GetWindowRect(item(IDC_KEY_SHIFT), &shift);
        GetWindowRect(item(IDC_KEY_SET), &set);
        windowHeight_ = window.bottom - window.top;
        // Narrower than this, Set would cover the Shift check box.
        minWindowWidth_ = (window.right - window.left) - (set.left - shift.right) + 4;
    }

    void layout() {
        if (!layout_.recorded()) return;
        layout_.apply(hwnd_);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }

    void limitSize(MINMAXINFO& limits) const {
        if (windowHeight_ == 0) return;  // still being created
        limits.ptMinTrackSize.x = minWindowWidth_;
        limits.ptMinTrackSize.y = windowHeight_;
        limits.ptMaxTrackSize.y = windowHeight_;
    }

    // The top and bottom edges of the frame do not resize; the corners
    // resize the width only.
    LRESULT hitTest(WPARAM wp, LPARAM lp) const {
        LRESULT hit = DefWindowProcA(hwnd_, WM_NCHITTEST, wp, lp);
        switch (hit) {
        case HTTOP:
        case HTBOTTOM:
            return HTCLIENT;
        case HTTOPLEFT:
        case HTBOTTOMLEFT:
            return HTLEFT;
        case HTTOPRIGHT:
        case HTBOTTOMRIGHT:
            return HTRIGHT;
        }
        return hit;
    }

    std::string programDirectory_;
    const CommandLabels& labels_;
    KeyMap copy_;
    bool quiet_ = false;  // the dialog is filling its own controls
    // Width changes only: the list and the command box stretch, the controls
    // right of them move along.
    AnchoredLayout layout_{
        {IDC_KEY_LIST, AnchoredLayout::Wider}, {IDC_KEY_COMMAND, AnchoredLayout::Wider},
        {IDC_KEY_FILE, AnchoredLayout::Right}, {IDC_KEY_SET, AnchoredLayout::Right},
        {IDC_KEY_DEL, AnchoredLayout::Right},  {IDOK, AnchoredLayout::Right},
        {IDCANCEL, AnchoredLayout::Right},     {IDC_KEY_SAVE, AnchoredLayout::Right},
        {IDC_KEY_LOAD, AnchoredLayout::Right},
    };
    int windowHeight_ = 0;
    int minWindowWidth_ = 0;
};

}  // namespace

bool runKeyDialog(HWND owner, const std::string& programDirectory, KeyMap& keyMap) {
    KeyDialog dialog(programDirectory, keyMap);
    if (dialog.run(owner) != IDOK) return false;
    keyMap = dialog.map();
    // The keys work until the window closes either way; the user must know
    // they will not come back at the next start.
    const std::string file = programDirectory + KeyMapFile;
    if (!keyMap.save(file)) showMessage(owner, MessageTableNotSaved, file);
    return true;
}
