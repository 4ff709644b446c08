#include "fileops/win/rename_dialog.h"

#include "base/sjis.h"
#include "base/win/dialog_object.h"
#include "base/win/window_text.h"
#include "fileops/win/rename_dialog_ids.h"

namespace {

// 名前を入力してください。
constexpr const char* EmptyNameText =
    "\x96\xbc\x91\x4f\x82\xf0\x93\xfc\x97\xcd\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2"
    "\x81\x42";
// 名前に次の文字は使えません:
// \ / : * ? " < > |      (a line of their own: a message box keeps them together)
constexpr const char* ForbiddenCharacterText =
    "\x96\xbc\x91\x4f\x82\xc9\x8e\x9f\x82\xcc\x95\xb6\x8e\x9a\x82\xcd\x8e\x67\x82\xa6\x82\xdc"
    "\x82\xb9\x82\xf1:\n\\ / : * ? \" < > |";
// 「.」と「..」は名前に使えません。
constexpr const char* DotNameText =
    "\x81\x75.\x81\x76\x82\xc6\x81\x75..\x81\x76\x82\xcd\x96\xbc\x91\x4f\x82\xc9\x8e\x67\x82\xa6"
    "\x82\xdc\x82\xb9\x82\xf1\x81\x42";

constexpr std::string_view Forbidden = "\\/:*?\"<>|";

std::string itemText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }

// An edit counts positions in bytes when its text is stored as code page 932
// and in UTF-16 units otherwise; ask it which by comparing its own length.
int editPosition(HWND edit, const std::string& text, std::size_t bytes) {
    auto stored = static_cast<std::size_t>(SendMessageA(edit, EM_LINELENGTH, 0, 0));
    if (stored == text.size()) return static_cast<int>(bytes);
    return MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(bytes), nullptr, 0);
}

class RenameDialog : public DialogObject<RenameDialog, FALSE> {
public:
    RenameDialog(const std::string& oldName, bool isDirectory)
        : oldName_(oldName), isDirectory_(isDirectory) {}

    // initialise() places the focus itself: the dialog must not select all.
    INT_PTR run(HWND owner) { return runModal(owner, IDD_RENAME); }

    std::string newName;

    void initialise() {
        SetDlgItemTextA(hwnd_, IDC_RENAME_OLD, oldName_.c_str());
        SetDlgItemTextA(hwnd_, IDC_RENAME_NEW, oldName_.c_str());
        selectStem(oldName_);
    }

    INT_PTR handle(UINT message, WPARAM wp, LPARAM) {
        if (message != WM_COMMAND) return FALSE;
        switch (LOWORD(wp)) {
        case IDOK: {
            std::string text = itemText(hwnd_, IDC_RENAME_NEW);
            std::string problem = renameNameProblem(text);
            if (!problem.empty()) {
                MessageBoxA(hwnd_, problem.c_str(), "Rename", MB_OK | MB_ICONWARNING);
                selectStem(text);
                return TRUE;
            }
            newName = text;
            EndDialog(hwnd_, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(hwnd_, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }

private:
    void selectStem(const std::string& text) {
        HWND edit = GetDlgItem(hwnd_, IDC_RENAME_NEW);
        SetFocus(edit);
        int end = editPosition(edit, text, renameSelectionLength(text, isDirectory_));
        SendMessageA(edit, EM_SETSEL, 0, end);
    }

    std::string oldName_;
    bool isDirectory_;
};

}  // namespace

std::size_t renameSelectionLength(std::string_view name, bool isDirectory) {
    if (isDirectory) return name.size();
    std::size_t dot = sjis::findLastChar(name, '.');
    if (dot == std::string_view::npos || dot == 0) return name.size();
    return dot;
}

std::string renameNameProblem(std::string_view name) {
    if (name.empty()) return EmptyNameText;
    if (name == "." || name == "..") return DotNameText;
    for (std::size_t i = 0; i < name.size(); i += sjis::charLength(name, i)) {
        if (sjis::charLength(name, i) == 1 && Forbidden.find(name[i]) != std::string_view::npos)
            return ForbiddenCharacterText;
    }
    return "";
}

bool runRenameDialog(HWND owner, const std::string& oldName, std::string& newName,
                     bool isDirectory) {
    RenameDialog dialog(oldName, isDirectory);
    if (dialog.run(owner) != IDOK) return false;
    newName = dialog.newName;
    return newName != oldName;
}
