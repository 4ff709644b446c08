#include "fileops/win/ftp_job.h"

FtpJob::~FtpJob() {
    // Before progress_ goes: the thread may still be finishing its step.
    Stop(INFINITE, true);
}

bool FtpJob::Execute() {
    succeeded_ = false;
    if (!Start()) return false;
    Resume();
    progress_.RunModal(owner_);
    // The dialog closes only after the job's last post, so this wait is short.
    Stop(INFINITE, true);
    return succeeded_.load();
}

bool FtpJob::Step() {
    HWND window = progress_.WaitForWindow();
    session_.SetStatusWindow(window);
    succeeded_ = Run();
    session_.SetStatusWindow(nullptr);
    progress_.AllowClose();
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    return false;
}
