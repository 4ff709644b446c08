#include "ftp/win/ftp_login_dialog.h"

#include "base/win/dialog_object.h"
#include "base/win/window_text.h"
#include "ftp/win/ftp_login_dialog_ids.h"

namespace ftp {

namespace {

class LoginDialog : public DialogObject<LoginDialog, FALSE> {
public:
    LoginDialog(const std::string& host, Account& account) : host_(host), account_(account) {}
    INT_PTR run(HWND owner) { return runModal(owner, IDD_FTP_LOGIN); }

    void initialise() {
        SetDlgItemTextA(hwnd_, IDC_FTP_HOST, host_.c_str());
        SetDlgItemTextA(hwnd_, IDC_FTP_USER, account_.user.c_str());
        SetDlgItemTextA(hwnd_, IDC_FTP_PASS, "");
        CheckDlgButton(hwnd_, IDC_FTP_PASSIVE, account_.passive ? BST_CHECKED : BST_UNCHECKED);
        SetForegroundWindow(hwnd_);
        SetFocus(item(account_.user.empty() ? IDC_FTP_USER : IDC_FTP_PASS));
    }

    INT_PTR handle(UINT message, WPARAM wp, LPARAM) {
        if (message != WM_COMMAND) return FALSE;
        switch (LOWORD(wp)) {
        case IDOK:
            account_.user = windowText(item(IDC_FTP_USER));
            account_.password = windowText(item(IDC_FTP_PASS));
            account_.passive = IsDlgButtonChecked(hwnd_, IDC_FTP_PASSIVE) == BST_CHECKED;
            EndDialog(hwnd_, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(hwnd_, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }

private:
    std::string host_;
    Account& account_;
};

}  // namespace

bool runLoginDialog(HWND owner, const std::string& hostKey, Account& account) {
    Account edited = account;
    LoginDialog dialog(hostKey, edited);
    if (dialog.run(owner) != IDOK) return false;
    account = edited;
    return true;
}

}  // namespace ftp
