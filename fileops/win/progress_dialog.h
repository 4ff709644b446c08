#pragma once
// The FTP progress window (resource 155): the item being transferred, the
// connection's latest status, and a Cancel button the transfer polls. It
// closes only when the job behind it says it may.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "base/win/dialog_object.h"
#include "base/win/handle.h"

// Posted by the worker: lParam points to the record the internet library
// hands its status callback; the second 32-bit field is the status code.
// The sender keeps the record alive.
constexpr UINT WM_FTP_STATUS = WM_USER + 1;
// Posted by the worker: lParam is a text made by postFtpItemText; the
// dialog frees it.
constexpr UINT WM_FTP_ITEM = WM_USER + 2;

struct FtpStatusRecord {
    std::uint32_t context;
    std::uint32_t status;
};

// Any thread. False when the text could not be posted (and was freed).
bool postFtpItemText(HWND dialog, const std::string& text);

class FtpProgressDialog : public DialogObject<FtpProgressDialog> {
public:
    FtpProgressDialog();
    FtpProgressDialog(const FtpProgressDialog&) = delete;
    FtpProgressDialog& operator=(const FtpProgressDialog&) = delete;

    // User-interface thread: shows the dialog modally until it may close.
    INT_PTR RunModal(HWND owner);

    // Any thread. WaitForWindow blocks until the dialog exists (or could not
    // be made, then null), so a worker never posts before it is there.
    HWND WaitForWindow() const;
    bool IsCancelRequested() const { return cancelRequested_.load(); }
    // For a transfer that polls while it runs, not only between items.
    const std::atomic<bool>& CancelFlag() const { return cancelRequested_; }
    // The job has ended: the next request to close is honoured.
    void AllowClose() { mayClose_ = true; }
    long StatusCount() const { return statusCount_.load(); }

private:
    friend DialogObject;
    void initialise();
    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp);
    void requestClose(INT_PTR result);

    std::atomic<HWND> window_{nullptr};
    UniqueHandle shownEvent_;
    std::atomic<long> statusCount_{0};
    std::atomic<bool> cancelRequested_{false};
    std::atomic<bool> mayClose_{false};
};
