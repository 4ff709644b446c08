#pragma once
// One FTP operation run on a worker thread while the user-interface thread
// shows the modal progress window.
#include <windows.h>

#include <atomic>

#include "fileops/win/progress_dialog.h"
#include "fileops/win/worker_thread.h"

// What a job needs of the FTP session it runs on: a window to post its
// status notifications to (WM_FTP_STATUS), or none.
class FtpStatusRoute {
public:
    virtual void SetStatusWindow(HWND window) = 0;

protected:
    ~FtpStatusRoute() = default;
};

class FtpJob : public WorkerThread {
public:
    FtpJob(FtpStatusRoute& session, HWND owner) : session_(session), owner_(owner) {}
    ~FtpJob() override;

    // User-interface thread: runs the job behind the modal progress window
    // and answers Run's result once the window has closed.
    bool Execute();

protected:
    // Worker thread; the transfer proper. Polls progress_.IsCancelRequested()
    // between files and may post item texts to the progress window.
    virtual bool Run() = 0;

    FtpStatusRoute& session_;
    HWND owner_;
    FtpProgressDialog progress_;

private:
    bool Step() final;

    std::atomic<bool> succeeded_{false};
};
