#include "fileops/win/progress_dialog.h"

#include <cstdio>
#include <cstring>

#include "fileops/ftp_status_names.h"
#include "fileops/win/progress_dialog_ids.h"

bool postFtpItemText(HWND dialog, const std::string& text) {
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.c_str(), text.size() + 1);
    if (PostMessageA(dialog, WM_FTP_ITEM, 0, reinterpret_cast<LPARAM>(copy))) return true;
    delete[] copy;
    return false;
}

FtpProgressDialog::FtpProgressDialog()
    : shownEvent_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

INT_PTR FtpProgressDialog::RunModal(HWND owner) {
    INT_PTR result = runModal(owner, IDD_FTP_PROGRESS);
    // Also releases a worker still waiting when the dialog never appeared.
    window_ = nullptr;
    SetEvent(shownEvent_.get());
    return result;
}

HWND FtpProgressDialog::WaitForWindow() const {
    WaitForSingleObject(shownEvent_.get(), INFINITE);
    return window_.load();
}

void FtpProgressDialog::initialise() {
    window_ = hwnd_;
    SetEvent(shownEvent_.get());
}

void FtpProgressDialog::requestClose(INT_PTR result) {
    if (mayClose_.load()) EndDialog(hwnd_, result);
}

INT_PTR FtpProgressDialog::handle(UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_FTP_STATUS: {
        long count = ++statusCount_;
        const auto* record = reinterpret_cast<const FtpStatusRecord*>(lp);
        char text[64];
        std::snprintf(text, sizeof text, "%ld:%s", count,
                      ftpStatusName(record ? record->status : 0));
        SetDlgItemTextA(hwnd_, IDC_FTP_PROGRESS_STATUS, text);
        return TRUE;
    }
    case WM_FTP_ITEM: {
        char* text = reinterpret_cast<char*>(lp);
        SetDlgItemTextA(hwnd_, IDC_FTP_PROGRESS_ITEM, text ? text : "");
        delete[] text;
        return TRUE;
    }
    case WM_CLOSE:
        requestClose(IDCANCEL);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDOK:
        case IDCANCEL:
            requestClose(LOWORD(wp));
            return TRUE;
        case IDC_FTP_PROGRESS_CANCEL:
            if (HIWORD(wp) == BN_CLICKED) {
                EnableWindow(GetDlgItem(hwnd_, IDC_FTP_PROGRESS_CANCEL), FALSE);
                cancelRequested_ = true;
            }
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
